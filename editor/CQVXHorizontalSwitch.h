#pragma once
// The panels' multi-position switches: the library's horizontal switch, plus the wheel stepping
// one position per notch. The AH form is the filter slope switch, inactive while PROCESS is off.

#include "editor/CQVXActiveControl.h"
#include "editor/CQVXHintControl.h"
#include "gui/CHorizontalSwitch.h"

class CQVXHorizontalSwitch : public CHorizontalSwitch {
public:
    using CHorizontalSwitch::CHorizontalSwitch;

    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CHorizontalSwitch::onWheel;

    VELUNOR_CLASS_METHODS(CQVXHorizontalSwitch, CHorizontalSwitch)
};

class CQVXHorizontalSwitchAH : public CQVXHorizontalSwitch, public CQVXActiveControl, public CQVXHintControl {
public:
    using CQVXHorizontalSwitch::CQVXHorizontalSwitch;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CQVXHorizontalSwitch::onWheel;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CQVXHorizontalSwitchAH, CQVXHorizontalSwitch)
};
