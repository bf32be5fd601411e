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

    double overThreshold() const;

    // One block's coefficients and needle cursors, for runBlock.
    struct Detector {
        std::array<NeedleFilterBank::Cursor, 2> needles;
        double threshold, overNeeded, holdDecay;
        float holdLength;
        [[gnu::always_inline]] void measure(BlockState& s, std::size_t c, double t, bool forcedOver) {
            const double needle = needles[c].step(t * kNeedleScale);
            s.level[c] = needle;
            s.countOver(c, forcedOver || t >= threshold, overNeeded);
            double held = s.held[c];
            if (needle >= held) {
                held = needle;
                s.holdCount[c] = 0;
            }
            if (static_cast<float>(s.holdCount[c]) >= holdLength) held = held + (0.0 - held) * holdDecay;
            s.advanceHoldCount(c, holdLength);
            s.held[c] = held;
        }
        void finish() {
            for (auto& needle : needles) needle.finish();
        }
    };
    Detector blockDetector();

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
