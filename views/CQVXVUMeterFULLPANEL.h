#pragma once
// The VU meter's front panel: two VU faces, tinted by the BACKLIT setting.

#include "views/CQVXMeterFULLPANEL.h"

class CQVXVUMeterFULLPANEL : public CQVXMeterFULLPANEL {
public:
    static constexpr int32 kReferenceIndex = 83;
    static constexpr int32 kBacklitIndex = 88;

    using CQVXMeterFULLPANEL::CQVXMeterFULLPANEL;

    // Ignores `background`: the panel loads its own face picture.
    bool open(CFrame* frame, CBitmap* background) override;
    void parameterChanged(VstInt32 index, float value) override;
    void controlChanged(CControl* control) override;

    // A needle or hold value as the face takes it: above the scale's ends it stops there, and a
    // value that is not a number leaves `shown` as it is.
    static float clampVu(double value, float shown);

protected:
    CQVXMeter2* createFace(const CPoint& origin) override;
    std::unique_ptr<BackPanel> createBackPanel() override;
    void showReading(CQVXMeter2* view, const Reading& reading) override;

private:
    void applyTint();
};
