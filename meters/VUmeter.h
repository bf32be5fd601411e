#pragma once
// The VU meter: the rectified signal drives a model of a needle movement (NeedleFilterBank), type
// A or B, whose natural frequency follows INTEGRATION. The held marker follows the needle.

#include "meters/MeterEngine.h"
#include "meters/NeedleFilterBank.h"

namespace velunor {

class VUmeter final : public MeterEngine {
public:
    // A sine whose peak is the reference level settles the needle at 0.993 (1.56 x 2 / pi).
    static constexpr double kNeedleScale = 1.56;
    static constexpr double kRest = -0.05;

    explicit VUmeter(EngineOwner& owner);

    void prepare() override;
    void suspend() override;
    void process(float** in, float** out, VstInt32 frames) override;

    double needleFrequencyHz() const { return needleFrequency_; }
    double movementTimeMs() const { return movementMs_; }  // T'
    float holdLengthSamples() const { return holdLength_; }
    double holdDecay() const { return holdDecay_; }
    bool typeB() const { return typeB_; }
    const NeedleFilterBank& needleBank(int channel) const { return banks_[channel == 1 ? 1 : 0]; }

    // For runBlock.
    double overThreshold() const;
    void measure(int channel, double t, double threshold, bool forcedOver);

private:
    void applySetting(const MeterSetting& setting, float value) override;
    void designNeedles();
    void updateHoldLength();

    std::array<NeedleFilterBank, 2> banks_;
    Relaxed<double> movementMs_{350.1};
    Relaxed<double> needleFrequency_{0.0};
    Relaxed<bool> typeB_{false};
    Relaxed<double> holdMs_{1000.0};
    Relaxed<float> holdLength_{44100.0f};
    Relaxed<double> holdDecay_{0.0};
    Relaxed<double> ledReference_{1.0};
};

}  // namespace velunor
