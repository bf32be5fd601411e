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

    struct Coefficients {
        double b0, b1, b2, a1, a2;
    };
    // Input one and two samples back, last output, last output with offset, output two back.
    struct History {
        double x1, x2, y, y1, y2;
    };

    // One sample through a section given as values, so that a caller can keep them in registers.
    static double step(const Coefficients& c, double& offset, History& h, double x) {
        // A tiny offset of alternating sign keeps the recursion out of denormals.
        offset = -offset;
        const double in = x + offset;
        const double out = c.b1 * h.x1 + c.b0 * in + c.b2 * h.x2 - c.a1 * h.y1 - c.a2 * h.y2;
        h.y2 = h.y1;
        h.x2 = h.x1;
        h.x1 = in;
        h.y = out;
        h.y1 = out + offset;
        return out;
    }

    double step(double x) {
        double offset = offset_;
        const double out = step(coefficients(), offset, history_, x);
        offset_ = offset;
        return out;
    }

    Coefficients coefficients() const { return {b0_, b1_, b2_, a1_, a2_}; }
    double offset() const { return offset_; }
    void setOffset(double offset) { offset_ = offset; }
    // The needle carries its history from section to section as its deflection changes.
    const History& history() const { return history_; }
    void setHistory(const History& history) { history_ = history; }

private:
    Relaxed<double> sampleRate_{44100.0};
    Relaxed<double> frequency_{1000.0};
    Relaxed<double> q_{0.7};
    Relaxed<double> offset_{1e-12};
    Relaxed<double> a1_{0.0}, a2_{0.0}, b0_{0.0}, b1_{0.0}, b2_{0.0};
    History history_{};
};

}  // namespace velunor
