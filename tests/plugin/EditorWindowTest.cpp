// The plug-in's own editor in a real X11 window of a private server, through the binary
// interface: it opens in the host's window at the size it reports and leaves nothing behind when
// it closes, however often that happens (the sanitizer build also sees every byte it frees).

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "PrivateXServer.h"
#include "tests/plugin/PluginFixture.h"

// Last: Xlib's macros (None) clash with the test library's names.
#include <X11/Xlib.h>

namespace velunor::testing {
namespace {

class EditorWindow : public PluginTest {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(server_.start(why)) << why;
        setenv("DISPLAY", server_.display().c_str(), 1);
        PluginTest::SetUp();
        display_ = XOpenDisplay(server_.display().c_str());
        ASSERT_NE(display_, nullptr);
        parent_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 586, 261, 0, 0, 0);
        XMapWindow(display_, parent_);
        XSync(display_, False);
    }
    void TearDown() override {
        PluginTest::TearDown();
        if (display_) {
            XDestroyWindow(display_, parent_);
            XCloseDisplay(display_);
        }
        server_.stop();
    }
    unsigned children() {
        XSync(display_, False);
        Window root, up, *list = nullptr;
        unsigned n = 0;
        if (!XQueryTree(display_, parent_, &root, &up, &list, &n)) return 0;
        if (list) XFree(list);
        return n;
    }
    // The plug-in talks to the server on a connection of its own: give it a moment.
    bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 500; ++i) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
    void* parent() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent_)); }

    guitest::PrivateXServer server_;
    Display* display_ = nullptr;
    Window parent_ = 0;
};

TEST_F(EditorWindow, OpensAtItsSizeAndClosesFiftyTimesLeavingNoWindow) {
    EXPECT_NE(effect()->flags & effFlagsHasEditor, 0);
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0, parent()), 1);
        for (int k = 0; k < 3; ++k) plugin->dispatch(effEditIdle);
        ASSERT_TRUE(waitFor([&] { return children() == 1; }));
        ERect* rect = nullptr;
        ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->right - rect->left, 586);
        EXPECT_EQ(rect->bottom - rect->top, 195);
        plugin->dispatch(effEditClose);
        ASSERT_TRUE(waitFor([&] { return children() == 0; }));
    }
}

}  // namespace
}  // namespace velunor::testing
