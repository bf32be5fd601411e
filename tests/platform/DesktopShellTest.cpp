#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/linux/DialogMessageBoxes.h"
#include "platform/linux/XdgDocumentOpener.h"
#include "tests/support/FakePrograms.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DesktopShellTest : public FakeProgramsTest {
protected:
    void SetUp() override {
        FakeProgramsTest::SetUp();
        const char* display = std::getenv("DISPLAY");
        savedDisplay_ = display ? display : "";
        hadDisplay_ = display != nullptr;
        setenv("DISPLAY", ":97", 1);
    }
    void TearDown() override {
        if (hadDisplay_) setenv("DISPLAY", savedDisplay_.c_str(), 1);
        else unsetenv("DISPLAY");
        FakeProgramsTest::TearDown();
    }

private:
    std::string savedDisplay_;
    bool hadDisplay_ = false;
};

TEST_F(DesktopShellTest, MessageBoxUsesTheFirstDialogProgramOnPath) {
    addFakeProgram("zenity", 0);
    addFakeProgram("kdialog", 0);
    velunor::DialogMessageBoxes boxes;
    boxes.show(nullptr, "Make sure Acrobat Reader is installed", "Could not open manual file");
    EXPECT_EQ(argumentsOf("zenity", 5000ms),
              (std::vector<std::string>{"--info", "--no-markup", "--title=Could not open manual file",
                                        "--text=Make sure Acrobat Reader is installed"}));
    EXPECT_FALSE(fs::exists(recordOf("kdialog")));

    fs::remove(bin_ / "zenity");
    boxes.show(nullptr, "Could not open user manual", "");
    EXPECT_EQ(argumentsOf("kdialog", 5000ms),
              (std::vector<std::string>{"--title", "", "--msgbox", "Could not open user manual"}));
}

TEST_F(DesktopShellTest, MessageBoxFallsBackToStandardError) {
    velunor::DialogMessageBoxes boxes;
    // No dialog program at all.
    testing::internal::CaptureStderr();
    boxes.show(nullptr, "Make sure Acrobat Reader is installed", "Could not open manual file");
    boxes.show(nullptr, "Could not open user manual", "");
    // Without a display a dialog program could not show anything.
    addFakeProgram("zenity", 0);
    unsetenv("DISPLAY");
    boxes.show(nullptr, "third", "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Could not open manual file: Make sure Acrobat Reader is installed\n"
              "Could not open user manual\n"
              "third\n");
    EXPECT_FALSE(fs::exists(recordOf("zenity")));
}

TEST_F(DesktopShellTest, OpenerPassesAwkwardNamesAsDocumentsNotOptions) {
    addFakeProgram("xdg-open", 0);
    velunor::XdgDocumentOpener opener;
    ASSERT_EQ(::chdir(root_.c_str()), 0);
    std::ofstream(root_ / "--help") << "not an option";
    int owner = 0;
    EXPECT_TRUE(velunor::shell_result::succeeded(opener.open("--help", &owner, nullptr)));
    EXPECT_EQ(argumentsOf("xdg-open", 5000ms), std::vector<std::string>{"./--help"});

    fs::remove(recordOf("xdg-open"));
    // URLs are handed on without looking for a file of that name.
    EXPECT_TRUE(velunor::shell_result::succeeded(opener.open("https://example.org/manual", &owner, nullptr)));
    EXPECT_EQ(argumentsOf("xdg-open", 5000ms), std::vector<std::string>{"https://example.org/manual"});
    EXPECT_TRUE(waitFor([&] { return !opener.collectFailure(&owner) && opener.runningCount() == 0; }, 5000ms));
}

}  // namespace
