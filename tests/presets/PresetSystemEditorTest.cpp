#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "gui/CKickButton.h"
#include "platform/linux/FileSettingsStore.h"
#include "platform/linux/XdgDocumentOpener.h"
#include "presets/CPresetSystemEditor.h"
#include "tests/presets/RecordingMessageBoxes.h"
#include "tests/support/FakePrograms.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PresetSystemEditorTest : public FakeProgramsTest {
protected:
    void SetUp() override {
        FakeProgramsTest::SetUp();
        store_ = std::make_unique<velunor::FileSettingsStore>(root_ / "config" / "QVXVELUNOR300.reg");
        velunor::setSettingsStore(store_.get());
        velunor::setDocumentOpener(&opener_);
    }
    void TearDown() override {
        velunor::setDocumentOpener(nullptr);
        velunor::setSettingsStore(nullptr);
        FakeProgramsTest::TearDown();
    }

    void setString(const char* name, const std::string& value) {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key && key->setString(name, value.c_str()) && key->close());
    }

    std::optional<std::string> readString(const char* name) {
        auto key = store_->openForReading();
        if (!key) return std::nullopt;
        std::vector<char> buffer(8192);
        velunor::SettingsValueType type{};
        if (key->readValue(name, buffer.data(), buffer.size(), &type) == 0) return std::nullopt;
        if (type != velunor::SettingsValueType::String) return std::nullopt;
        return std::string(buffer.data());
    }

    // Presses the manual button of `editor`, then runs its idle until every xdg-open it started
    // has been collected.
    void pressManualButton(CPresetSystemEditor& editor) {
        auto* button = new CKickButton(CRect(0, 0, 24, 14), &editor, CPresetSystemEditor::kManualButtonTag, 14, nullptr);
        button->setValue(1.0f);
        editor.valueChanged(button);
        button->forget();
        EXPECT_TRUE(waitFor([&] {
            editor.idle();
            return opener_.runningCount() == 0;
        }, 5000ms));
    }

    fs::path writeDocument(const std::string& name) {
        fs::path file = root_ / name;
        std::ofstream(file) << "manual";
        return file;
    }

    std::unique_ptr<velunor::FileSettingsStore> store_;
    velunor::XdgDocumentOpener opener_;
    RecordingMessageBoxes boxes_;
};

const RecordedBox kCannotOpen{"Could not open user manual", ""};
const RecordedBox kNoViewer{"Make sure Acrobat Reader is installed", "Could not open manual file"};

TEST_F(PresetSystemEditorTest, ManualButtonOpensTheManualOrSaysWhyNot) {
    struct Case {
        const char* what;
        bool setPath;
        bool documentExists;
        bool haveXdgOpen;
        int xdgExit;
        bool xdgRuns;
        std::vector<RecordedBox> boxes;
    };
    const Case cases[] = {
        {"no ManualPath value", false, false, true, 0, false, {kCannotOpen}},
        {"ManualPath naming a missing file", true, false, true, 0, false, {kCannotOpen}},
        {"no xdg-open on PATH", true, true, false, 0, false, {kNoViewer}},
        {"the manual opens", true, true, true, 0, true, {}},
        {"no application for the document", true, true, true, 3, true, {kNoViewer}},
        {"xdg-open fails otherwise", true, true, true, 4, true, {kCannotOpen}},
    };
    // Quotes, spaces and shell syntax reach xdg-open untouched: no shell stands between.
    const fs::path manual = root_ / "it's a \"manual\" $HOME; ls.qxm";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(recordOf("xdg-open"));
        fs::remove(bin_ / "xdg-open");
        fs::remove(manual);
        if (c.haveXdgOpen) addFakeProgram("xdg-open", c.xdgExit);
        if (c.documentExists) writeDocument(manual.filename());
        if (c.setPath) setString("ManualPath", manual.string());
        else if (auto key = store_->createForWriting()) key->deleteValue("ManualPath");
        boxes_.boxes.clear();

        CPresetSystemEditor editor(nullptr);
        pressManualButton(editor);
        EXPECT_EQ(boxes_.boxes, c.boxes);
        std::vector<std::string> expectedArguments;
        if (c.xdgRuns) expectedArguments = {manual.string()};
        EXPECT_EQ(argumentsOf("xdg-open", c.xdgRuns ? 5000ms : 0ms), expectedArguments);
    }
}

TEST_F(PresetSystemEditorTest, OtherControlsOpenNothing) {
    addFakeProgram("xdg-open", 0);
    setString("ManualPath", writeDocument("manual.html").string());
    CPresetSystemEditor editor(nullptr);
    for (int tag : {0, 65, 102, 120, 122}) {
        auto* button = new CKickButton(CRect(0, 0, 24, 14), &editor, tag, 14, nullptr);
        editor.valueChanged(button);
        button->forget();
    }
    editor.idle();
    EXPECT_EQ(opener_.runningCount(), 0u);
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_FALSE(fs::exists(recordOf("xdg-open")));
}

TEST_F(PresetSystemEditorTest, LateFailureIsReportedOnlyToTheEditorThatAsked) {
    addFakeProgram("xdg-open", 3);
    setString("ManualPath", writeDocument("manual.html").string());
    CPresetSystemEditor other(nullptr);
    {
        CPresetSystemEditor asking(nullptr);
        pressManualButton(asking);
        EXPECT_EQ(boxes_.boxes, std::vector<RecordedBox>{kNoViewer});
    }
    boxes_.boxes.clear();
    // An editor that goes away before its xdg-open ends leaves nothing for anyone else.
    {
        auto asking = std::make_unique<CPresetSystemEditor>(nullptr);
        fs::remove(recordOf("xdg-open"));
        auto* button = new CKickButton(CRect(0, 0, 24, 14), asking.get(), CPresetSystemEditor::kManualButtonTag, 14, nullptr);
        asking->valueChanged(button);
        button->forget();
        asking.reset();
    }
    EXPECT_FALSE(argumentsOf("xdg-open", 5000ms).empty());
    EXPECT_TRUE(waitFor([&] {
        other.idle();
        return opener_.runningCount() == 0;
    }, 5000ms));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(PresetSystemEditorTest, DestroyedEditorRecordsItsWorkingFolderAndKeepsTheRest) {
    const float reference = 0.25f;
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key->setBinary("Avureference", &reference, sizeof reference));
        ASSERT_TRUE(key->setString("ManualPath", "/opt/manual.html"));
        ASSERT_TRUE(key->setString("CurrBank", "left over"));
    }
    // A folder name can hold anything but '/' and the zero byte, in no particular encoding.
    const std::string awkward = "line one\nline two \"quoted\" \\ \xff\xfe caf\xe9 \t end";
    const fs::path folder = root_ / awkward;
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    ASSERT_EQ(::chdir(folder.c_str()), 0);
    auto editor = std::make_unique<CPresetSystemEditor>(nullptr);
    ASSERT_EQ(::chdir(before.c_str()), 0);
    EXPECT_EQ(editor->currentFolder(), folder.string());
    EXPECT_FALSE(readString("CurrDir"));  // written when the editor goes, not before

    editor.reset();
    EXPECT_EQ(readString("CurrDir"), folder.string());
    EXPECT_EQ(readString("CurrBank"), "");
    EXPECT_EQ(readString("CurrPreset"), "");
    EXPECT_EQ(readString("ManualPath"), "/opt/manual.html");
    auto key = store_->openForReading();
    float value = 0.0f;
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readValue("Avureference", &value, sizeof value), sizeof value);
    EXPECT_EQ(value, reference);
}

}  // namespace
