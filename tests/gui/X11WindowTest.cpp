// The editor window end to end on a private Xvfb server: embedded in a parent window the test
// creates, driven by XTest input as a user would, opened and closed again and again.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "GuiTestSupport.h"
#include "X11EditorFixture.h"
#include "editor/MyFrame.h"
#include "gui/AEffGUIEditor.h"
#include "gui/COnOffButton.h"
#include "gui/CSlider.h"

using namespace guitest;

namespace {

// Collects typed text as UTF-8; takes the keyboard focus when clicked.
class TypingView : public CView {
public:
    explicit TypingView(const CRect& r) : CView(r) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
        presses.push_back(buttons);
        getFrame()->setFocusView(this);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    int32 onKeyDown(VstKeyCode& key) override {
        const auto cp = static_cast<std::uint32_t>(key.character);
        if (!cp) return -1;
        if (cp < 0x80) {
            text += static_cast<char>(cp);
        } else if (cp < 0x800) {
            text += static_cast<char>(0xc0 | (cp >> 6));
            text += static_cast<char>(0x80 | (cp & 0x3f));
        } else {
            text += static_cast<char>(0xe0 | (cp >> 12));
            text += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
            text += static_cast<char>(0x80 | (cp & 0x3f));
        }
        return 1;
    }
    std::string text;
    std::vector<int32> presses;
};

// The editor a plug-in would have, reduced to three views.
class WindowEditor : public AEffGUIEditor {
public:
    explicit WindowEditor(AudioEffect* effect, CControlListener& listener) : AEffGUIEditor(effect), listener_(listener) {
        rect.right = 200;
        rect.bottom = 100;
    }
    bool open(void* parent) override {
        if (!parent) return false;
        AEffGUIEditor::open(parent);
        auto* f = new MyFrame(CRect(0, 0, 200, 100), parent, this);
        f->takeFocusOnClick = takeFocusOnClick;
        frame = f;
        if (!f->isOpen()) {
            close();
            return false;
        }
        CBitmap* strip = makeFilmStrip(40, 20, 2);
        button = new COnOffButton(CRect(10, 10, 50, 30), &listener_, 5, strip);
        frame->addView(button);
        strip->forget();
        typing = new TypingView(CRect(60, 10, 190, 30));
        frame->addView(typing);
        CBitmap* handle = makeFilmStrip(10, 10, 1);
        slider = new CSlider(CRect(10, 50, 190, 60), &listener_, 6, CPoint(0, 0), 180, handle, nullptr);
        frame->addView(slider);
        handle->forget();
        return true;
    }
    bool takeFocusOnClick = true;
    COnOffButton* button = nullptr;
    TypingView* typing = nullptr;
    CSlider* slider = nullptr;

private:
    CControlListener& listener_;
};

class X11Window : public X11EditorFixture {
protected:
    void SetUp() override {
        X11EditorFixture::SetUp();
        if (!windowReady()) return;
        editor = new WindowEditor(&effect, listener);
    }

    // Opens the editor and waits until the server shows its window: input sent earlier over our
    // own connection could overtake the editor's requests on its connection.
    bool openEditor() {
        if (effect.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))) != 1)
            return false;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            for (Window child : children()) {
                XWindowAttributes a;
                if (XGetWindowAttributes(display, child, &a) && a.map_state == IsViewable) return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    // Runs the host's idle for a while, for events that change nothing we could wait for.
    void idleFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            effect.dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // Gives an unused keycode the keysym, as switching to another layout would.
    void mapSpareKey(KeySym sym) {
        int minCode, maxCode, perCode;
        XDisplayKeycodes(display, &minCode, &maxCode);
        KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
        for (int code = maxCode; code >= minCode; --code) {
            bool unused = true;
            for (int i = 0; i < perCode; ++i) unused = unused && map[(code - minCode) * perCode + i] == NoSymbol;
            if (unused) {
                KeySym syms[2] = {sym, sym};
                XChangeKeyboardMapping(display, code, 2, syms, 1);
                break;
            }
        }
        XFree(map);
        XSync(display, False);
    }
    // The pixel's 24-bit colour as the server holds it; false when the window gave no image.
    bool readPixel(Window window, int x, int y, unsigned long& rgb) {
        XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return false;
        rgb = XGetPixel(image, 0, 0) & 0xffffff;
        XDestroyImage(image);
        return true;
    }
    std::vector<Window> children() {
        Window root, parentOut, *list = nullptr;
        unsigned int count = 0;
        XQueryTree(display, parent, &root, &parentOut, &list, &count);
        std::vector<Window> out(list, list + count);
        if (list) XFree(list);
        return out;
    }

    RecordingListener listener;
    WindowEditor* editor = nullptr;  // owned by the effect
};

int openDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir)) ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace

TEST_F(X11Window, TheFrameIsAChildOfTheHostsWindowAndGoesWithClose) {
    EXPECT_EQ(effect.dispatch(effEditOpen), 0) << "no parent window, no editor";
    ASSERT_TRUE(openEditor());
    ASSERT_FALSE(editor->getFrame()->isOffscreen());
    std::vector<Window> kids = children();
    ASSERT_EQ(kids.size(), 1u);
    EXPECT_EQ(kids[0], static_cast<Window>(reinterpret_cast<std::uintptr_t>(
                           editor->getFrame()->getPlatformFrame()->getNativeHandle())));
    XWindowAttributes a;
    XGetWindowAttributes(display, kids[0], &a);
    EXPECT_EQ(a.width, 200);
    EXPECT_EQ(a.height, 100);
    EXPECT_EQ(a.map_state, IsViewable);

    // What the window shows is the frame's picture: the button's "off" frame.
    const Rgba off = frameColor(0);
    const unsigned long expected = static_cast<unsigned long>((off.r << 16) | (off.g << 8) | off.b);
    unsigned long shown = 0;
    EXPECT_TRUE(idleUntil([&] { return readPixel(kids[0], 20, 20, shown) && shown == expected; })) << std::hex << shown << " shown, " << expected << " drawn";

    // Hidden and shown again, the window has lost its pixels; the expose brings them back.
    XUnmapWindow(display, parent);
    XMapWindow(display, parent);
    XSync(display, False);
    shown = 0;
    EXPECT_TRUE(idleUntil([&] { return readPixel(kids[0], 20, 20, shown) && shown == expected; })) << std::hex << shown << " shown after the expose";

    // The resize travels over the editor's connection: wait for the server to have done it.
    editor->getFrame()->setSize(200, 60);
    EXPECT_TRUE(idleUntil([&] {
        XGetWindowAttributes(display, kids[0], &a);
        return a.height == 60;
    }));

    effect.dispatch(effEditClose);
    EXPECT_TRUE(children().empty());

    // A window id the server does not know: no editor, and the host's process lives on.
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t{0x7ffffff})), 0);
    EXPECT_EQ(editor->getFrame(), nullptr);
    ASSERT_TRUE(openEditor()) << "and the next open works";
}

TEST_F(X11Window, AClickReachesTheListenerAndTheWheelMovesAControl) {
    ASSERT_TRUE(openEditor());
    click(30, 20);
    ASSERT_TRUE(idleUntil([&] { return !listener.changes.empty(); })) << "the click never arrived";
    EXPECT_EQ(listener.changes[0].tag, 5);
    EXPECT_EQ(listener.changes[0].value, 1.0f);
    EXPECT_EQ(hostCalls().front(), (HostCall{audioMasterBeginEdit, 5, 0}));

    pointerTo(100, 55);
    XTestFakeButtonEvent(display, 4, True, CurrentTime);  // one notch up
    XTestFakeButtonEvent(display, 4, False, CurrentTime);
    XTestFakeButtonEvent(display, 6, True, CurrentTime);  // horizontal: not for controls
    XTestFakeButtonEvent(display, 6, False, CurrentTime);
    XFlush(display);
    ASSERT_TRUE(idleUntil([&] { return editor->slider->getValue() > 0; }));
    idleFor(100);
    EXPECT_FLOAT_EQ(editor->slider->getValue(), 0.1f);
}

TEST_F(X11Window, ASecondPressSoonAndCloseIsADoubleClick) {
    ASSERT_TRUE(openEditor());
    click(100, 20);
    click(102, 21);
    ASSERT_TRUE(idleUntil([&] { return editor->typing->presses.size() == 2; }));
    EXPECT_FALSE(editor->typing->presses[0] & kDoubleClick);
    EXPECT_TRUE(editor->typing->presses[1] & kDoubleClick);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    click(102, 21);
    ASSERT_TRUE(idleUntil([&] { return editor->typing->presses.size() == 3; }));
    EXPECT_FALSE(editor->typing->presses[2] & kDoubleClick) << "too late for a double click";
}

TEST_F(X11Window, AClickTakesTheKeyboardFocusFromTheHostsWindowWhenAsked) {
    // The host's own window has the keyboard focus, as it has while the user works in the host.
    Window hostWindow = XCreateSimpleWindow(display, DefaultRootWindow(display), 400, 300, 50, 50, 0, 0, 0);
    XMapWindow(display, hostWindow);
    XSync(display, False);
    auto typeAfterClick = [&](bool textExpected) {
        XSetInputFocus(display, hostWindow, RevertToParent, CurrentTime);
        XSync(display, False);
        click(100, 20);  // the view takes the frame's focus; the frame takes the window's
        EXPECT_TRUE(idleUntil([&] { return editor->getFrame()->getFocusView() == editor->typing; }));
        mapSpareKey(XK_eacute);  // a key of another layout
        type(XK_h, true);
        type(XK_i);
        type(XK_eacute);
        type(XK_Return);  // types no character
        if (textExpected) idleUntil([&] { return editor->typing->text.size() >= 4; });
        idleFor(textExpected ? 50 : 200);
        return editor->typing->text;
    };
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(typeAfterClick(true), "Hi\xc3\xa9");
    // The user goes back to the host: the view loses the focus.
    XSetInputFocus(display, hostWindow, RevertToParent, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(idleUntil([&] { return editor->getFrame()->getFocusView() == nullptr; }));
    effect.dispatch(effEditClose);

    editor->takeFocusOnClick = false;
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(typeAfterClick(false), "") << "without takeFocusOnClick the keys stay with the host";
    XDestroyWindow(display, hostWindow);
}

TEST_F(X11Window, AClickMayCloseTheEditorThatItReaches) {
    struct Closer : CControlListener {
        TestEffect* effect = nullptr;
        int calls = 0;
        void valueChanged(CControl*) override {
            ++calls;
            effect->dispatch(effEditClose);
        }
    } closer;
    closer.effect = &effect;
    ASSERT_TRUE(openEditor());
    editor->button->setListener(&closer);
    click(30, 20);
    click(32, 20);  // still queued when the window goes
    ASSERT_TRUE(idleUntil([&] { return closer.calls == 1; }));
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_TRUE(children().empty());
    idleFor(20);
    EXPECT_EQ(closer.calls, 1);
}

TEST_F(X11Window, FiftyOpenAndCloseCyclesLeakNeitherMemoryNorDescriptors) {
    auto cycle = [&] {
        ASSERT_TRUE(openEditor());
        click(30, 20);
        idleUntil([&] { return !listener.changes.empty(); });
        listener.changes.clear();
        hostCalls().clear();
        effect.dispatch(effEditClose);
    };
    for (int i = 0; i < 3; ++i) cycle();  // caches of Xlib, cairo and fontconfig fill once
    const int fds = openDescriptors();
    const std::size_t heap = mallinfo2().uordblks;
    for (int i = 0; i < 50; ++i) cycle();
    EXPECT_EQ(openDescriptors(), fds);
    const std::size_t grown = mallinfo2().uordblks > heap ? mallinfo2().uordblks - heap : 0;
    EXPECT_LT(grown, 64u * 1024u) << "the heap grew by " << grown << " bytes over 50 cycles";
    RecordProperty("heapGrowthBytes", static_cast<int>(grown));
}
