#pragma once
// The host side of an editor window on a private Xvfb server: a mapped parent window at the root's
// origin, the effect that owns the editor, the host's idle, and XTest input as a user would give it.
// The deriving fixture creates its editor in SetUp once this one has neither failed nor skipped.

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "platform/linux/LinuxPlatformFactory.h"
#include "tests/gui/PrivateXServer.h"
#include "tests/gui/TestEffect.h"

namespace guitest {

class X11EditorFixture : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        serverUp_ = server_.start(why_);
        if (serverUp_) setenv("DISPLAY", server_.display().c_str(), 1);
        velunor::platform::installLinuxPlatform();
    }
    static void TearDownTestSuite() { server_.stop(); }

protected:
    void SetUp() override {
        if (!serverUp_) GTEST_SKIP() << "no X server for the window tests: " << why_;
        display = XOpenDisplay(server_.display().c_str());
        ASSERT_NE(display, nullptr);
        int event, error, major, minor;
        ASSERT_TRUE(XTestQueryExtension(display, &event, &error, &major, &minor)) << "the server lacks XTest";
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 200, 0, 0, 0);
        XSelectInput(display, parent, StructureNotifyMask);
        XMapWindow(display, parent);
        XEvent e;
        do XNextEvent(display, &e);
        while (e.type != MapNotify);
    }
    // False when SetUp skipped or failed, so the deriving SetUp creates no editor.
    bool windowReady() const { return !IsSkipped() && !HasFatalFailure(); }
    void TearDown() override {
        if (!display) return;
        effect.dispatch(effEditClose);
        XDestroyWindow(display, parent);
        XCloseDisplay(display);
    }

    // Runs the host's idle until `done` holds, for at most two seconds.
    bool idleUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
            effect.dispatch(effEditIdle);
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
    // Moves the pointer to (x, y) of the parent window, which lies at the root's origin.
    void pointerTo(int x, int y) {
        XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        XFlush(display);
    }
    void click(int x, int y, unsigned int button = 1) {
        pointerTo(x, y);
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XFlush(display);
    }
    void type(KeySym sym, bool shift = false) {
        const KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
        const KeyCode code = XKeysymToKeycode(display, sym);
        if (shift) XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
        XFlush(display);
    }

    Display* display = nullptr;
    Window parent = 0;
    TestEffect effect;

private:
    static inline PrivateXServer server_;
    static inline bool serverUp_ = false;
    static inline std::string why_;
};

}  // namespace guitest
