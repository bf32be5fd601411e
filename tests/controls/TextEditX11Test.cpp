// The trim field's edit end to end on a private Xvfb server: a click on the field, keys typed on
// the keyboard, Return, and the listener reads the text.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <string>
#include <vector>

#include "editor/CMyTextEdit.h"
#include "editor/MyFrame.h"
#include "gui/AEffGUIEditor.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/X11EditorFixture.h"

namespace {

struct TextListener : CControlListener {
    std::vector<std::string> texts;
    void valueChanged(CControl* control) override {
        char buffer[64];
        static_cast<CQVXTextEdit*>(control)->copyText(buffer, sizeof buffer);
        texts.emplace_back(buffer);
    }
};

class FieldEditor : public AEffGUIEditor {
public:
    FieldEditor(AudioEffect* effect, CControlListener& listener) : AEffGUIEditor(effect), listener_(listener) {
        rect.right = 200;
        rect.bottom = 60;
    }
    bool open(void* parent) override {
        if (!parent) return false;
        AEffGUIEditor::open(parent);
        auto* f = new MyFrame(CRect(0, 0, 200, 60), parent, this);
        f->takeFocusOnClick = true;
        frame = f;
        if (!f->isOpen()) {
            close();
            return false;
        }
        CBitmap* face = guitest::makeFilmStrip(200, 60, 1);
        field = new CMyTextEditAH(CRect(20, 20, 68, 35), &listener_, 68, "+0.0 dB", face, false);
        face->forget();
        field->setFont(kNormalFontVerySmall);
        field->setFontColor(MakeCColor(170, 170, 170));
        frame->addView(field);
        return true;
    }
    CMyTextEditAH* field = nullptr;

private:
    CControlListener& listener_;
};

class TextEditWindow : public guitest::X11EditorFixture {
protected:
    void SetUp() override {
        X11EditorFixture::SetUp();
        if (!windowReady()) return;
        editor = new FieldEditor(&effect, listener);
    }

    TextListener listener;
    FieldEditor* editor = nullptr;
};

}  // namespace

TEST_F(TextEditWindow, ClickTypeReturnAndTheListenerReadsTheText) {
    ASSERT_EQ(effect.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))), 1);
    // The window must be on the screen before the pointer can reach it.
    ASSERT_TRUE(idleUntil([&] {
        Window root, parentOfChild, *children = nullptr;
        unsigned int n = 0;
        bool viewable = false;
        if (XQueryTree(display, parent, &root, &parentOfChild, &children, &n)) {
            for (unsigned int i = 0; i < n; ++i) {
                XWindowAttributes a;
                viewable = viewable || (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable);
            }
            if (children) XFree(children);
        }
        return viewable;
    }));
    click(30, 27);
    ASSERT_TRUE(idleUntil([&] { return editor->field->isEditing() && editor->getFrame()->getFocusView(); }));
    for (KeySym sym : {XK_minus, XK_3, XK_period, XK_5}) type(sym);
    ASSERT_TRUE(idleUntil([&] {
        return editor->field->getEditBox() && editor->field->getEditBox()->getText() == "-3.5";
    }));
    EXPECT_TRUE(listener.texts.empty());
    type(XK_Return);
    ASSERT_TRUE(idleUntil([&] { return !listener.texts.empty(); }));
    EXPECT_EQ(listener.texts, std::vector<std::string>{"-3.5"});
    EXPECT_FALSE(editor->field->isEditing());
    EXPECT_STREQ(editor->field->getText(), "-3.5");
}
