#pragma once
// The PPM needle instrument. Its face is printed on the front panel's picture, so the view draws
// only the needle, the hold marker and the LED.

#include "views/CQVXMeter2.h"

class CQVXPPMMeter2 : public CQVXMeter2 {
public:
    // `origin` is the view's top-left corner in the front panel.
    CQVXPPMMeter2(const CPoint& origin, CControlListener* listener);

    void draw(CDrawContext* context) override;

    // Linear levels, 1.0 = the 4 mark.
    velunor::Relaxed<float> needleValue{0.000001f};
    velunor::Relaxed<float> holdValue{0.000001f};
};
