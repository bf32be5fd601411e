#pragma once
// The RMS meter's front panel: two faces, each with a quasi-peak and an RMS needle.

#include "views/CQVXMeterFULLPANEL.h"

class CQVXRMSMeterFULLPANEL : public CQVXMeterFULLPANEL {
public:
    static constexpr int32 kReferenceIndex = 72;

    using CQVXMeterFULLPANEL::CQVXMeterFULLPANEL;

    // Ignores `background`: the panel loads its own face picture.
    bool open(CFrame* frame, CBitmap* background) override;
    void parameterChanged(VstInt32 index, float value) override;

protected:
    CQVXMeter2* createFace(const CPoint& origin) override;
    std::unique_ptr<BackPanel> createBackPanel() override;
    void showReading(CQVXMeter2* view, const Reading& reading) override;
};
