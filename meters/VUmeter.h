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

    // One block's coefficients and the needles of both channels, for runBlock.
    struct Detector {
        NeedleFilterBank::PairCursor needles;
        ChannelPair threshold, overNeeded, holdDecay;
        // The single-precision hold length, widened: the count is a whole number far below
        // 2^24, so comparing in double gives the single-precision comparison's answer.
        ChannelPair holdLength;
        // Nothing here is flushed, and the needle sections keep a history of their own: a span
        // never runs twice.
        static constexpr int kFlushesPerSample = 0;
        template <typename Flush>
        [[gnu::always_inline]] void measure(BlockState& s, ChannelPair t, ChannelMask forcedOver, Flush&) {
            const ChannelPair needle = needles.step(t * ChannelPair::both(kNeedleScale));
            s.level = needle;
            s.countOver(forcedOver | (t >= threshold), overNeeded);
            // The marker reaches the needle when the needle is at or above it; nothing flushes it.
            const ChannelMask rises = needle >= s.held;
            s.held = s.heldAfter(rises, needle, holdDecay, holdLength);
            s.holdCount = s.holdCount.zeroWhere(rises);
            s.advanceHoldCount(holdLength);
        }
        void finish() { needles.finish(); }
    };
    // Inline: a detector whose address went to a call would stay in memory during the loop.
    [[gnu::always_inline]] Detector blockDetector() {
        return {NeedleFilterBank::PairCursor(banks_[0], banks_[1]), ChannelPair::both(overThreshold()),
                ChannelPair::both(oversNeeded()), ChannelPair::both(holdDecay_),
                ChannelPair::both(static_cast<double>(holdLength_.load()))};
    }

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
