#pragma once
// An offscreen frame holding the controls under test, with a listener and an editor that record
// what reaches them, and the input a user would give, sent as the window would send it.

#include <gtest/gtest.h>

#include "editor/CHelpHintLabel.h"
#include "platform/linux/LinuxPlatformFactory.h"
#include "tests/gui/GuiTestSupport.h"

namespace controlstest {

class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        velunor::platform::installLinuxPlatform();
        frame = guitest::makeOffscreenFrame(600, 200, &editor);
        hints = new CHelpHintLabel(CRect(300, 0, 500, 14));
        frame->addView(hints);
    }
    void TearDown() override { frame->close(); }

    template <typename T>
    T* add(T* view) {
        frame->addView(view);
        return view;
    }
    void press(CPoint p, int32 buttons = kLButton) { frame->platformOnMouseDown(p, buttons); }
    void move(CPoint p, int32 buttons = kLButton) { frame->platformOnMouseMoved(p, buttons); }
    void release(CPoint p, int32 buttons = 0) { frame->platformOnMouseUp(p, buttons); }
    void click(CPoint p, int32 buttons = kLButton) {
        press(p, buttons);
        release(p, buttons & ~kMouseButtonMask);
    }
    void hover(CPoint p) { frame->platformOnMouseMoved(p, 0); }
    void wheel(CPoint p, float distance, int32 buttons = 0) {
        frame->platformOnMouseWheel(p, kMouseWheelAxisY, distance, buttons);
    }
    int32 key(unsigned char virt, int32 character = 0, unsigned char modifier = 0) {
        VstKeyCode k{character, virt, modifier};
        return frame->platformOnKeyDown(k);
    }
    void type(const char* ascii) {
        for (const char* c = ascii; *c; ++c) key(0, *c);
    }
    std::string hint() const { return hints->getText(); }
    guitest::Rgba pixel(int x, int y) {
        frame->idle();
        return guitest::pixelAt(frame->getBackBuffer(), x, y);
    }

    guitest::RecordingListener listener;
    guitest::RecordingEditor editor;
    CFrame* frame = nullptr;
    CHelpHintLabel* hints = nullptr;
};

}  // namespace controlstest
