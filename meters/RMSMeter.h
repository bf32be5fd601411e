#pragma once
// The RMS meter: the PPM's quasi-peak detector and a running mean square on one scale, relative to
// a REFERENCE of -20..+10 dB, with seven LED levels on a dBFS or a dBref scale.

#include "meters/MeterEngine.h"
#include "meters/PPMmeter.h"
#include "meters/PeakBallistics.h"

namespace velunor {

class RMSMeter final : public MeterEngine {
public:
    explicit RMSMeter(EngineOwner& owner);

    void prepare() override;
    void suspend() override;
    void process(float** in, float** out, VstInt32 frames) override;

    const PeakBallistics& ballistics() const { return ballistics_; }
    float rmsCoefficient() const { return rmsCoefficient_; }

    double overThreshold() const;

    // One block's coefficients, for runBlock.
    struct Detector {
        static constexpr int kFlushesPerSample = PPMmeter::Detector::kFlushesPerSample + 1;
        PPMmeter::Detector peak;
        ChannelPair rmsCoefficient;
        template <typename Flush>
        [[gnu::always_inline]] void measure(BlockState& s, ChannelPair t, ChannelMask forcedOver, Flush& flush) const {
            peak.measure(s, t, forcedOver, flush);
            const ChannelPair ms = s.meanSquare;
            s.meanSquare = flush((t * t - ms) * rmsCoefficient + ms);
        }
        void finish() const {}
    };
    Detector blockDetector() const;

private:
    void applySetting(const MeterSetting& setting, float value) override;
    void updateRmsCoefficient();

    PeakBallistics ballistics_;
    Relaxed<double> rmsIntegrationMs_{1000.0};
    Relaxed<float> rmsCoefficient_{0.0f};
    Relaxed<double> ledPosition_{6.0};
    Relaxed<int> fullScaleLeds_{1};
};

}  // namespace velunor
