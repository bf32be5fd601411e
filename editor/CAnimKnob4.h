#pragma once
// The panels' film-strip knob, dragged linearly in both axes (right and up increase), whatever the
// host's knob mode. Control-click or a double click sets the default value; Shift drags finely,
// and pressing or releasing Shift midway continues from the current value without a jump.

#include "gui/CAnimKnob.h"

class CAnimKnob4 : public CAnimKnob {
public:
    // A full sweep takes this many pixels times the drag scale.
    static constexpr CCoord kSweepPixels = 1000;

    CAnimKnob4(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps, CCoord heightOfOneImage,
               CBitmap* bitmap, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CAnimKnob::onWheel;

    // Tuning, set by the owner after construction.
    float dragScale = 1.0f;
    float fineDivisor = 5.0f;
    float wheelStep = 0.01f;
    float wheelFineFactor = 0.1f;

    VELUNOR_CLASS_METHODS(CAnimKnob4, CAnimKnob)

protected:
    // Draws frame `frame` of the strip into the rectangle, at full opacity.
    void drawFrame(CDrawContext* context, int32 frame);

private:
    CCoord rangeFor(const CButtonState& buttons) const;

    float startValue_ = 0;
    CPoint firstPoint_;
    int32 pressButtons_ = 0;
    CCoord range_ = kSweepPixels;
    float coefficient_ = 0;
};
