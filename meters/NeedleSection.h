#pragma once
// One second-order low-pass of the VU needle. Its coefficients may be redesigned from the thread
// that sets parameters while the audio thread steps it, so they are Relaxed; its history belongs to
// the audio thread alone.

#include "core/Relaxed.h"

namespace velunor {

class NeedleSection {
public:
    void setSampleRate(double rate) { sampleRate_ = rate; }
    double sampleRate() const { return sampleRate_; }
    void setFrequency(double hz) { frequency_ = hz; }
    double frequency() const { return frequency_; }
    void setQ(double q) { q_ = q; }
    double q() const { return q_; }

    // Limits the frequency to 0.499 x the rate and recomputes the coefficients.
    void computeLowPass();

    double step(double x) {
        // A tiny offset of alternating sign keeps the recursion out of denormals.
        const double offset = -offset_.load();
        offset_ = offset;
        const double in = x + offset;
        const double out = b1_ * x1_ + b0_ * in + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        y2_ = y1_;
        x2_ = x1_;
        x1_ = in;
        y_ = out;
        y1_ = out + offset;
        return out;
    }

    // The needle carries its history from section to section as its deflection changes.
    void takeHistoryFrom(const NeedleSection& other) {
        x1_ = other.x1_;
        x2_ = other.x2_;
        y_ = other.y_;
        y1_ = other.y1_;
        y2_ = other.y2_;
    }

private:
    Relaxed<double> sampleRate_{44100.0};
    Relaxed<double> frequency_{1000.0};
    Relaxed<double> q_{0.7};
    Relaxed<double> offset_{1e-12};
    Relaxed<double> a1_{0.0}, a2_{0.0}, b0_{0.0}, b1_{0.0}, b2_{0.0};
    double x1_ = 0.0, x2_ = 0.0, y_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

}  // namespace velunor
