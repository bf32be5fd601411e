#include "strips/FilterSection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velunor {

FilterCoefficients designFilter(double fs, FilterType type, double frequencyHz, double q, bool enabled) {
    FilterCoefficients c;
    if (!enabled) return c;
    // Every design stays below Nyquist: a first-order low-pass above it would mirror back and cut
    // more than a lower setting does.
    const double f = std::min(frequencyHz, 0.499 * fs);
    const double w = 2.0 * std::numbers::pi * f / fs;
    switch (type) {
        case FilterType::HighPass2: {
            // Q falls towards Nyquist so the response keeps its shape near the top of the band.
            const double k = std::pow(f / (0.5001 * fs), 6.0);
            const double alpha = std::sin(w) / (2.0 * ((1.0 - k) * q));
            const double cw = std::cos(w);
            c.a0 = 1.0 + alpha;
            c.a1 = -2.0 * cw / c.a0;
            c.a2 = (1.0 - alpha) / c.a0;
            c.b0 = (1.0 + cw) / 2.0 / c.a0;
            c.b1 = -(1.0 + cw) / c.a0;
            c.b2 = c.b0;
            break;
        }
        case FilterType::LowPass2: {
            const double k = std::pow(f / (0.50001 * fs), 8.0);
            const double alpha = std::sin(w) / (2.0 * ((1.0 - k) * q));
            const double cw = std::cos(w);
            c.a0 = 1.0 + alpha;
            c.a1 = -2.0 * cw / c.a0;
            c.a2 = (1.0 - alpha) / c.a0;
            c.b0 = (1.0 - cw) / 2.0 / c.a0;
            c.b1 = (1.0 - cw) / c.a0;
            c.b2 = c.b0;
            break;
        }
        case FilterType::LowPass1: {
            const double cc = 2.0 - std::cos(w);
            c.a1 = std::sqrt(cc * cc - 1.0) - cc;
            c.b0 = 1.0 + c.a1;
            break;
        }
    }
    return c;
}

void FilterSection::setSampleRate(double sampleRate) {
    sampleRate_ = sampleRate;
    redesign();
}

void FilterSection::setShape(FilterType type, double frequencyHz, double q) {
    type_ = static_cast<int>(type);
    frequencyHz_ = std::clamp(frequencyHz, 0.001, sampleRate_.load());
    q_ = q;
    redesign();
}

void FilterSection::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    redesign();
}

FilterCoefficients FilterSection::coefficients() const {
    return {a0_, a1_, a2_, b0_, b1_, b2_};
}

void FilterSection::redesign() {
    const FilterCoefficients c = designFilter(sampleRate_, type(), frequencyHz_, q_, enabled_);
    a0_ = c.a0;
    a1_ = c.a1;
    a2_ = c.a2;
    b0_ = c.b0;
    b1_ = c.b1;
    b2_ = c.b2;
}

void FilterSection::process(float* samples, int frames) noexcept {
    if (!enabled_) {
        // A stage switched off restarts from silence when it is switched on again.
        clearHistory();
        return;
    }
    const double b0 = b0_, b1 = b1_, b2 = b2_, a1 = a1_, a2 = a2_;
    double x1 = x1_, x2 = x2_, y1 = y1_, y2 = y2_;
    for (int n = 0; n < frames; ++n) {
        const double x = samples[n];
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        y = (y + 1e-30) - 1e-30;  // flushes denormals without touching the FPU mode
        samples[n] = static_cast<float>(y);
        if (!std::isfinite(y)) {
            // A NaN or infinity in the history would never leave it: start again from silence, so
            // the next finite samples come out finite.
            x1 = x2 = y1 = y2 = 0.0;
            continue;
        }
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
    }
    x1_ = x1;
    x2_ = x2;
    y1_ = y1;
    y2_ = y2;
}

}  // namespace velunor
