#pragma once
// A two-state button: the upper half of its bitmap is "off", the lower half "on" (value = max).

#include "gui/CControl.h"

class COnOffButton : public CControl {
public:
    // As in the early VSTGUI 4 releases it toggles and tells the listener at mouse-down, between
    // beginEdit and endEdit; later releases added a style that waits for the release.
    COnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(COnOffButton, CControl)
};
