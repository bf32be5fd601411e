#pragma once
// The native window of a frame, as the platform layer offers it, and the frame's side of the
// conversation. The window keeps no picture of its own: the frame draws into its back buffer and
// asks the window to show a part of it.

#include <cstdint>

#include "gui/CButtonState.h"
#include "host/AEffEditor.h"

class CDrawContext;

class IPlatformFrameCallback {
public:
    virtual ~IPlatformFrameCallback() = default;
    // Points are in frame coordinates.
    virtual CMouseEventResult platformOnMouseDown(CPoint where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseUp(CPoint where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseMoved(CPoint where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseExited(CPoint where, const CButtonState& buttons) = 0;
    virtual bool platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                      const CButtonState& buttons) = 0;
    // Answers 1 when the key was used, -1 otherwise.
    virtual int32 platformOnKeyDown(VstKeyCode& key) = 0;
    virtual int32 platformOnKeyUp(VstKeyCode& key) = 0;
    // The window needs this part of the back buffer shown again.
    virtual void platformOnExpose(const CRect& area) = 0;
    virtual void platformOnFocusChanged(bool hasFocus) = 0;
};

class IPlatformFrame {
public:
    virtual ~IPlatformFrame() = default;
    // Delivers every pending window event to the callback; never waits for one.
    virtual void processEvents() = 0;
    // Shows `area` (frame coordinates) of the frame's back buffer in the window.
    virtual void present(CDrawContext& backBuffer, const CRect& area) = 0;
    virtual bool setSize(const CRect& size) = 0;
    virtual bool takeKeyboardFocus() = 0;
    virtual void* getNativeHandle() const = 0;
};
