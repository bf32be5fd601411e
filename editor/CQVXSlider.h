#pragma once
// A slider dragged relative to where it was grabbed: a press beside the handle does nothing until
// the pointer passes over the handle, Shift drags finely, a double click sets the default value.
// The AH form is the trim and filter frequency slider: inactive while PROCESS is off.

#include "editor/CQVXActiveControl.h"
#include "editor/CQVXHintControl.h"
#include "gui/CSlider.h"

class CQVXSlider : public CSlider {
public:
    // Wheel defaults: a notch moves 1/40 of the range, a tenth of that with Shift.
    static constexpr float kDefaultWheelStep = 0.025f;
    static constexpr float kDefaultWheelFineFactor = 0.1f;

    CQVXSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
               int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, int32 style);

    // The share of the pointer's movement a Shift drag applies.
    virtual void setFineFactor(float factor) { fineFactor_ = factor; }
    float getFineFactor() const { return fineFactor_; }
    float wheelStep = kDefaultWheelStep;
    float wheelFineFactor = kDefaultWheelFineFactor;
    bool isDragging() const { return dragging_; }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CSlider::onWheel;

    VELUNOR_CLASS_METHODS(CQVXSlider, CSlider)

private:
    CCoord along(const CPoint& p) const { return isHorizontal() ? p.x : p.y; }

    float fineFactor_ = 1.0f;
    bool dragging_ = false;
    CCoord lastPosition_ = 0;
    int32 pressButtons_ = 0;
};

class CQVXSliderAH : public CQVXSlider, public CQVXActiveControl, public CQVXHintControl {
public:
    using CQVXSlider::CQVXSlider;

    // Inactive it is drawn at half opacity.
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CQVXSlider::onWheel;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CQVXSliderAH, CQVXSlider)
};
