#pragma once
// The quasi-peak detector's coefficients, shared by the PPM and the RMS meter: attack from the
// integration time (99 % of a step within it), release from the fall-back time (24 dB within it),
// and the hold length; each follows its setting at once.

#include "core/Relaxed.h"
#include "meters/ChannelPair.h"

namespace velunor {

class PeakBallistics {
public:
    void setIntegrationMs(double ms, double rate) { integrationMs_ = ms; updateAttack(rate); }
    void setFallBackMs(double ms, double rate) { fallBackMs_ = ms; updateRelease(rate); }
    void setHoldMs(double ms, double rate) { holdMs_ = ms; updateHold(rate); }
    void setSampleRate(double rate) { updateAttack(rate); updateRelease(rate); updateHold(rate); }

    double attack() const { return attack_; }
    double release() const { return release_; }
    double holdLengthSamples() const { return holdLength_; }
    double integrationMs() const { return integrationMs_; }
    double fallBackMs() const { return fallBackMs_; }

    // One sample of the detector for both channels; tiny values are flushed to 0 (TinyFlush.h).
    template <typename Flush>
    [[gnu::always_inline]] static ChannelPair follow(ChannelPair value, ChannelPair target, ChannelPair attack,
                                                     ChannelPair release, Flush& flush) {
        return flush(value + (target - value) * select(target > value, attack, release));
    }

private:
    void updateAttack(double rate);
    void updateRelease(double rate);
    void updateHold(double rate) { holdLength_ = holdMs_ * 0.001 * rate; }

    Relaxed<double> integrationMs_{10.0};
    Relaxed<double> fallBackMs_{1995.0};
    Relaxed<double> holdMs_{1000.0};
    Relaxed<double> attack_{1.0};
    Relaxed<double> release_{0.0};
    Relaxed<double> holdLength_{44100.0};
};

}  // namespace velunor
