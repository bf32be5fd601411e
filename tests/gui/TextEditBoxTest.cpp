// The frame's edit box on its own: what it tells its listener, and when.
#include <gtest/gtest.h>

#include <functional>

#include "GuiTestSupport.h"
#include "gui/CTextEditBox.h"
#include "gui/VirtualKeys.h"

using namespace guitest;

namespace {

struct BoxListener : CTextEditBoxListener {
    std::vector<std::string> events;
    void editBoxChanged(CTextEditBox& box) override { events.push_back("changed " + box.getText()); }
    void editBoxEnded(CTextEditBox& box, bool accepted) override {
        events.push_back(std::string(accepted ? "accepted " : "cancelled ") + box.getText());
        if (auto* parent = dynamic_cast<CViewContainer*>(box.getParentView())) parent->removeView(&box);
    }
    void editBoxRemoved(CTextEditBox&) override { events.emplace_back("removed"); }
};

class EditBox : public ::testing::Test {
public:
    void SetUp() override {
        frame = makeOffscreenFrame(200, 50);
        box = new CTextEditBox(CRect(10, 10, 110, 25), &listener, "text", kNormalFont, kWhiteCColor, kLeftText);
        frame->addView(box);
        frame->setFocusView(box);
    }
    void TearDown() override { frame->close(); }
    int32 key(unsigned char virt, int32 character = 0) {
        VstKeyCode k{character, virt, 0};
        return frame->onKeyDown(k);
    }
    BoxListener listener;
    CFrame* frame = nullptr;
    CTextEditBox* box = nullptr;
};

}  // namespace

TEST_F(EditBox, EachWayOfEndingIsToldOnceAndTheBoxMayBeRemovedFromWithin) {
    struct Case {
        std::function<void(EditBox&)> end;
        const char* event;
    } cases[] = {
        {[](EditBox& t) { t.key(VKEY_RETURN); }, "accepted xy"},
        {[](EditBox& t) { t.key(VKEY_TAB); }, "accepted xy"},
        {[](EditBox& t) { t.key(VKEY_ESCAPE); }, "cancelled xy"},
        {[](EditBox& t) { t.frame->setFocusView(nullptr); }, "accepted xy"},
        {[](EditBox& t) { t.frame->platformOnFocusChanged(false); }, "accepted xy"},
        {[](EditBox& t) { t.frame->platformOnMouseDown(CPoint(150, 40), kLButton); }, "accepted xy"},
    };
    for (const Case& c : cases) {
        listener.events.clear();
        if (!box) {
            box = new CTextEditBox(CRect(10, 10, 110, 25), &listener, "text", kNormalFont, kWhiteCColor, kLeftText);
            frame->addView(box);
            frame->setFocusView(box);
        }
        key(0, 'x');
        key(0, 'y');
        c.end(*this);
        box = nullptr;  // the listener removed and released it
        EXPECT_EQ(listener.events, (std::vector<std::string>{"changed x", "changed xy", c.event}));
        EXPECT_EQ(frame->getFocusView(), nullptr);
        EXPECT_EQ(frame->getNbViews(), 0);
        EXPECT_EQ(key(0, 'z'), -1);
    }
}

TEST_F(EditBox, AClickInsideKeepsTheEditAndClosingTheFrameAcceptsIt) {
    frame->platformOnMouseDown(CPoint(20, 15), kLButton);
    EXPECT_EQ(frame->getFocusView(), box);
    EXPECT_TRUE(listener.events.empty());
    CFrame* closing = frame;
    frame = makeOffscreenFrame(10, 10);
    closing->close();
    EXPECT_EQ(listener.events, std::vector<std::string>{"accepted text"});
}

TEST_F(EditBox, RemovedBeforeItEndedSaysSo) {
    frame->removeView(box);
    EXPECT_EQ(listener.events, std::vector<std::string>{"removed"});
}
