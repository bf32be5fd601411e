#pragma once
// A two-state button: the upper half of its bitmap is "off", the lower half "on" (value = max).

#include "gui/CControl.h"

class COnOffButton : public CControl {
public:
    // Early VSTGUI 4: the listener is told once, at mouse-down; there is no release update.
    static constexpr int32 kPreListenerUpdate = 1 << 0;

    COnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                 int32 style = kPreListenerUpdate);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(COnOffButton, CControl)

private:
    int32 style_;
};
