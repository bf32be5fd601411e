#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "gui/CKickButton.h"
#include "platform/linux/FileSettingsStore.h"
#include "platform/linux/ProcessSettingsStore.h"
#include "platform/linux/XdgDocumentOpener.h"
#include "presets/CPresetSystemEditor.h"
#include "tests/presets/RecordingMessageBoxes.h"
#include "tests/support/FakePrograms.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kManualName = "QVX_Velunor_3.0.0_UserManual_EN.html";
// The plug-in finds its font by taking this many characters off ManualPath.
constexpr std::size_t kManualNameLength = 36;

class InstallTest : public FakeProgramsTest {
protected:
    void SetUp() override {
        FakeProgramsTest::SetUp();
        home_ = std::getenv("HOME");
        store_ = std::make_unique<velunor::FileSettingsStore>(velunor::defaultSettingsFile());
    }

    int runInstaller(const std::string& arguments) {
        const std::string source = std::getenv("VELUNOR_SOURCE_DIR");
        const std::string build = fs::path(std::getenv("VELUNOR_BIN_DIR")).parent_path().string();
        // The installer runs with the system's tools; only the plug-in is kept from them.
        const std::string command = "PATH=/usr/bin:/bin '" + source + "/scripts/install.sh' --no-build --build-dir '" + build + "' " +
                                    arguments + " > '" + (root_ / "install.log").string() + "' 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::optional<std::string> manualPath() {
        auto key = store_->openForReading();
        if (!key) return std::nullopt;
        char buffer[4096] = {};
        if (key->readValue("ManualPath", buffer, sizeof buffer) == 0) return std::nullopt;
        return std::string(buffer);
    }

    static bool isLoadableFont(const fs::path& file) {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0) return false;
        FT_Face face = nullptr;
        bool ok = FT_New_Face(library, file.c_str(), 0, &face) == 0 && face->num_glyphs > 0;
        if (face) FT_Done_Face(face);
        FT_Done_FreeType(library);
        return ok;
    }

    fs::path home_;
    std::unique_ptr<velunor::FileSettingsStore> store_;
};

TEST_F(InstallTest, InstallsWhereHostsLookAndTheManualButtonOpensTheManual) {
    struct Case {
        const char* what;
        std::string arguments;
        fs::path folder;
    };
    const fs::path prefix = root_ / "prefix with space";
    const Case cases[] = {
        {"for the user", "", home_ / ".vst"},
        {"under a prefix", "--prefix '" + prefix.string() + "'", prefix / "lib" / "vst"},
    };
    // The user's calibration, which neither installing nor removing may touch.
    const float reference = 0.75f;
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key && key->setBinary("Avureference", &reference, sizeof reference));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(runInstaller(c.arguments), 0);
        const fs::path manual = c.folder / kManualName;
        EXPECT_TRUE(fs::is_regular_file(c.folder / "QVXVelunor_x64.so"));
        EXPECT_TRUE(fs::is_regular_file(c.folder / "QVXVelunor.qxf.copyright"));
        EXPECT_TRUE(fs::is_regular_file(c.folder / "QVXVelunor-manual" / "10000_vu_front.png"));
        ASSERT_EQ(manualPath(), manual.string());

        std::string fontPath = *manualPath();
        fontPath.resize(fontPath.size() - kManualNameLength);
        EXPECT_TRUE(isLoadableFont(fontPath + "QVXVelunor.qxf")) << fontPath;

        {
            velunor::setSettingsStore(store_.get());
            velunor::XdgDocumentOpener opener;
            velunor::setDocumentOpener(&opener);
            RecordingMessageBoxes boxes;
            addFakeProgram("xdg-open", 0);
            fs::remove(recordOf("xdg-open"));
            CPresetSystemEditor editor(nullptr);
            auto* button = new CKickButton(CRect(0, 0, 24, 14), &editor, CPresetSystemEditor::kManualButtonTag, 14, nullptr);
            editor.valueChanged(button);
            button->forget();
            EXPECT_EQ(argumentsOf("xdg-open", 5000ms), std::vector<std::string>{manual.string()});
            EXPECT_TRUE(waitFor([&] {
                editor.idle();
                return opener.runningCount() == 0;
            }, 5000ms));
            EXPECT_TRUE(boxes.boxes.empty());
            velunor::setDocumentOpener(nullptr);
            velunor::setSettingsStore(nullptr);
        }  // the editor's folder record is written here, beside the rest

        ASSERT_EQ(runInstaller(c.arguments + " --uninstall"), 0);
        EXPECT_TRUE(fs::is_empty(c.folder)) << "left behind in " << c.folder;
        EXPECT_EQ(manualPath(), std::nullopt);
        auto key = store_->openForReading();
        ASSERT_TRUE(key);
        float kept = 0.0f;
        EXPECT_EQ(key->readValue("Avureference", &kept, sizeof kept), sizeof kept);
        EXPECT_EQ(kept, reference);
    }
}

TEST_F(InstallTest, UninstallLeavesAManualPathOfAnotherInstallation) {
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key && key->setString("ManualPath", "/opt/elsewhere/QVX_Velunor_3.0.0_UserManual_EN.html"));
    }
    ASSERT_EQ(runInstaller("--uninstall"), 0);
    EXPECT_EQ(manualPath(), "/opt/elsewhere/QVX_Velunor_3.0.0_UserManual_EN.html");
}

}  // namespace
