#pragma once
// A momentary button with a hover frame: frame 0 normal, 1 hovered, 2 pressed. It reports the
// press (value 1) and not the release.

#include "editor/CQVXHintControl.h"
#include "gui/CKickButton.h"

class CQVKickButton : public CKickButton {
public:
    CQVKickButton(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                  CBitmap* bitmap, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    bool isHovered() const { return hovered_; }
    bool isPressed() const { return pressed_; }
    // Only a double click presses; Control with it reports 0.5 instead of 1.
    bool doubleClickOnly = false;

    VELUNOR_CLASS_METHODS(CQVKickButton, CKickButton)

private:
    bool hovered_ = false;
    bool pressed_ = false;
};

class CQVKickButtonH : public CQVKickButton, public CQVXHintControl {
public:
    using CQVKickButton::CQVKickButton;

    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CQVKickButtonH, CQVKickButton)
};
