#pragma once
// A three-state rocker: pressed on its left (or top) half it goes to min, on the other half to
// max, and it springs back to the middle on release. Frames: 0 min, 1 rest, 2 max.

#include "gui/CControl.h"

class CRockerSwitch : public CControl {
public:
    static constexpr int32 kHorizontal = 1 << 0;
    static constexpr int32 kVertical = 1 << 1;

    CRockerSwitch(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                  CBitmap* background, const CPoint& offset = CPoint(0, 0), int32 style = kHorizontal);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;

    VELUNOR_CLASS_METHODS(CRockerSwitch, CControl)

private:
    float restValue() const { return (getMin() + getMax()) / 2; }
    void report(float value);

    CCoord heightOfOneImage_;
    CPoint offset_;
    int32 style_;
};
