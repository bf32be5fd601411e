// AEffGUIEditor through the effect's dispatcher, as a host drives it: the rectangle, idle with its
// re-entry guard, the knob mode, forwarded keys, and gestures and resizes reaching the host.
#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/AEffGUIEditor.h"
#include "gui/COnOffButton.h"
#include "gui/CKnob.h"
#include "TestEffect.h"

using namespace guitest;

namespace {

// Counts the frame's idles; its one view calls the editor's idle from inside a draw, as a
// message loop run by a listener might.
class CountingFrame : public CFrame {
public:
    using CFrame::CFrame;
    void idle() override {
        ++idles;
        CFrame::idle();
    }
    int idles = 0;
};

class ReentrantView : public CView {
public:
    ReentrantView(const CRect& r, AEffEditor& editor) : CView(r), editor_(editor) {}
    void draw(CDrawContext* context) override {
        editor_.idle();
        CView::draw(context);
    }

private:
    AEffEditor& editor_;
};

class TestEditor : public AEffGUIEditor {
public:
    explicit TestEditor(AudioEffect* effect) : AEffGUIEditor(effect) {
        rect.right = 200;
        rect.bottom = 100;
    }
    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        auto* f = new CountingFrame(CRect(0, 0, 200, 100), parent, this);
        frame = f;
        counting = f;
        return true;
    }
    void close() override {
        counting = nullptr;
        AEffGUIEditor::close();
    }
    CountingFrame* counting = nullptr;
};

struct Editor : ::testing::Test {
    TestEffect effect;
    TestEditor* editor = new TestEditor(&effect);  // owned by the effect
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
        return effect.dispatch(opcode, index, value, ptr, opt);
    }
    void SetUp() override { hostCalls().clear(); }
};

}  // namespace

TEST_F(Editor, AnswersItsRectangleAndOpensAndClosesItsFrame) {
    EXPECT_EQ(effect.getEditor(), editor);
    ERect* r = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &r), 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->right - r->left, 200);
    EXPECT_EQ(r->bottom - r->top, 100);

    EXPECT_EQ(dispatch(effEditOpen), 1);  // no parent window: the frame lives offscreen
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_TRUE(editor->getFrame()->isOffscreen());
    bool destroyed = false;
    struct Tracked : CView {
        bool& flag;
        Tracked(bool& f) : CView(CRect(0, 0, 5, 5)), flag(f) {}
        ~Tracked() override { flag = true; }
    };
    editor->getFrame()->addView(new Tracked(destroyed));
    dispatch(effEditClose);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_TRUE(destroyed) << "closing the frame releases its views";
    dispatch(effEditIdle);  // closed: nothing to do, nothing fails
}

TEST_F(Editor, IdleIgnoresCallsFromInsideItself) {
    dispatch(effEditOpen);
    auto* view = new ReentrantView(CRect(0, 0, 10, 10), *editor);
    editor->getFrame()->addView(view);
    const int before = editor->counting->idles;
    view->setDirty();
    dispatch(effEditIdle);
    EXPECT_EQ(editor->counting->idles, before + 1);
    EXPECT_FALSE(view->isDirty());
    dispatch(effEditClose);
}

TEST_F(Editor, GesturesAndResizesReachTheHost) {
    dispatch(effEditOpen);
    editor->getFrame()->addView(new COnOffButton(CRect(0, 0, 10, 10), nullptr, 3, nullptr));
    editor->getFrame()->platformOnMouseDown(CPoint(5, 5), kLButton);
    EXPECT_TRUE(editor->sizeWindow(200, 169));
    EXPECT_EQ(hostCalls(), (std::vector<HostCall>{{audioMasterBeginEdit, 3, 0},
                                                 {audioMasterEndEdit, 3, 0},
                                                 {audioMasterSizeWindow, 200, 169}}));
    dispatch(effEditClose);
}

TEST_F(Editor, KnobModeIsOneSettingForTheWholeProcess) {
    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, kLinearMode), 1);
    TestEffect other;
    auto* otherEditor = new TestEditor(&other);
    EXPECT_EQ(otherEditor->getKnobMode(), kLinearMode);
    dispatch(effEditOpen);
    auto* knob = new CKnob(CRect(0, 0, 40, 40), nullptr, 1, nullptr, nullptr);
    editor->getFrame()->addView(knob);
    editor->getFrame()->platformOnMouseDown(CPoint(20, 20), kLButton);
    editor->getFrame()->platformOnMouseMoved(CPoint(20, -80), kLButton);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f) << "the knob drags linearly";
    editor->getFrame()->platformOnMouseUp(CPoint(20, -80), kLButton);
    dispatch(effEditClose);
    dispatch(effSetEditKnobMode, 0, kCircularMode);
}

TEST_F(Editor, KeysFromTheHostReachTheFocusView) {
    struct KeyView : CView {
        std::vector<VstKeyCode> keys;
        KeyView() : CView(CRect(0, 0, 10, 10)) {}
        int32 onKeyDown(VstKeyCode& key) override {
            keys.push_back(key);
            return 1;
        }
    };
    EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0, nullptr, 0), 0) << "closed";
    dispatch(effEditOpen);
    auto* view = new KeyView;
    editor->getFrame()->addView(view);
    EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0, nullptr, 0), 0) << "no view has the focus";
    editor->getFrame()->setFocusView(view);
    EXPECT_EQ(dispatch(effEditKeyDown, 'a', 0, nullptr, 1), 1);
    EXPECT_EQ(dispatch(effEditKeyUp, 'a', 0, nullptr, 0), 0) << "the view does not use key-ups";
    ASSERT_EQ(view->keys.size(), 1u);
    EXPECT_EQ(view->keys[0].character, 'a');
    EXPECT_EQ(view->keys[0].modifier, 1);
    dispatch(effEditClose);
}
