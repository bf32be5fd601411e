#pragma once
// The quasi-peak programme meter: a peak detector that charges within INTEGRATION and discharges
// 24 dB in FALL-BACK, scaled so that the reference level reads 1.0 (mark 4).

#include "meters/MeterEngine.h"
#include "meters/PeakBallistics.h"

namespace velunor {

class PPMmeter final : public MeterEngine {
public:
    explicit PPMmeter(EngineOwner& owner);

    void prepare() override;
    void suspend() override;
    void process(float** in, float** out, VstInt32 frames) override;

    const PeakBallistics& ballistics() const { return ballistics_; }

    // For runBlock.
    double overThreshold() const;
    void measure(int channel, double t, double threshold, bool forcedOver);

private:
    void applySetting(const MeterSetting& setting, float value) override;

    PeakBallistics ballistics_;
    Relaxed<double> ledReference_{1.0};
};

}  // namespace velunor
