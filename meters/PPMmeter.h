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

    double overThreshold() const;

    // One block's coefficients, for runBlock. The RMS meter runs the same detector.
    struct Detector {
        // Every recursion here ends with the tiny-value flush (TinyFlush.h), twice a sample, and
        // the detector keeps no state beside the block state: a span may run with the flush
        // deferred, and run again.
        static constexpr int kFlushesPerSample = 2;
        ChannelPair threshold, overNeeded, attack, release, holdLength;
        template <typename Flush>
        [[gnu::always_inline]] void measure(BlockState& s, ChannelPair t, ChannelMask forcedOver, Flush& flush) const {
            s.countOver(forcedOver | (t >= threshold), overNeeded);
            s.level = PeakBallistics::follow(s.level, t, attack, release, flush);
            s.holdPeak(s.level, release, holdLength, flush);
        }
        void finish() const {}
    };
    Detector blockDetector() const;
    static Detector detectorFor(const PeakBallistics& ballistics, double overThreshold, double oversNeeded);

private:
    void applySetting(const MeterSetting& setting, float value) override;

    PeakBallistics ballistics_;
    Relaxed<double> ledReference_{1.0};
};

}  // namespace velunor
