#pragma once
// The library's on/off button with a hint: the strip editors' open/close buttons. Unlike the
// panels' own buttons its hint is not refreshed by a click.

#include "editor/CQVXHintControl.h"
#include "gui/COnOffButton.h"

class COnOffButtonH : public COnOffButton, public CQVXHintControl {
public:
    using COnOffButton::COnOffButton;

    CMouseEventResult onMouseEntered(CPoint&, const CButtonState&) override {
        showHint(getTag(), getValue(), nullptr);
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override {
        clearHint();
        return kMouseEventHandled;
    }

    VELUNOR_CLASS_METHODS(COnOffButtonH, COnOffButton)
};
