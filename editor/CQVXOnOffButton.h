#pragma once
// The panels' two-state buttons (off on top, on below), with the wheel as a second way to switch,
// and their hint (H) and hint-plus-active (AH) forms.

#include "editor/CQVXActiveControl.h"
#include "editor/CQVXHintControl.h"
#include "gui/CControl.h"

class CQVXOnOffButton : public CControl {
public:
    CQVXOnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* bitmap);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;

    // Directional: up only switches on and down only off. Inverted: the wheel's sense is reversed.
    bool directionalWheel = false;
    bool invertedWheel = false;

    VELUNOR_CLASS_METHODS(CQVXOnOffButton, CControl)

protected:
    // The frame drawn for the current state.
    virtual int32 frameIndex() const { return getValue() >= 0.5f ? 1 : 0; }
};

class CQVXOnOffButtonH : public CQVXOnOffButton, public CQVXHintControl {
public:
    using CQVXOnOffButton::CQVXOnOffButton;

    // After a click or a wheel step the hint follows the new state ("Hides Strips").
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CQVXOnOffButton::onWheel;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CQVXOnOffButtonH, CQVXOnOffButton)
};

class CQVXOnOffButtonAH : public CQVXOnOffButtonH, public CQVXActiveControl {
public:
    using CQVXOnOffButtonH::CQVXOnOffButtonH;

    // Inactive: the mouse and the wheel change nothing and hovering asks for PROCESS. Active: a
    // plain on/off button that clears the hint on hover.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CQVXOnOffButtonH::onWheel;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CQVXOnOffButtonAH, CQVXOnOffButtonH)
};
