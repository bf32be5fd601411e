#pragma once
// The RMS needle instrument: an RMS needle with a thin dark centre line and, on top of it, a
// quasi-peak needle with a red tip, on one dB scale. Its face is printed on the front panel's
// picture, so the view draws only the needles, the hold marker and the LED.

#include "views/CQVXMeter2.h"

class CQVXRMSMeter2 : public CQVXMeter2 {
public:
    // `origin` is the view's top-left corner in the front panel.
    CQVXRMSMeter2(const CPoint& origin, CControlListener* listener);

    void draw(CDrawContext* context) override;

    // Linear levels, 1.0 = 0 dB of the scale.
    velunor::Relaxed<float> peakValue{0.000001f};
    velunor::Relaxed<float> holdValue{0.000001f};
    velunor::Relaxed<float> rmsValue{0.000001f};
};
