#pragma once
// One filter section of the strip: a second-order high-pass or low-pass, or a first-order
// low-pass. The design (rate, type, frequency, Q, enabled) is set on whatever thread changes a
// parameter and published as relaxed coefficients; the history belongs to the audio thread.

#include "core/Relaxed.h"

namespace velunor {

enum class FilterType : int {
    HighPass2 = 1,
    LowPass2 = 8,
    LowPass1 = 9,
};

// Normalised by a0; a0 itself is kept for reference only (processing never reads it).
struct FilterCoefficients {
    double a0 = 1.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
};

// The design law, a pure function: a disabled section passes the signal through.
FilterCoefficients designFilter(double sampleRate, FilterType type, double frequencyHz, double q,
                                bool enabled);

class FilterSection {
public:
    FilterSection() = default;

    void setSampleRate(double sampleRate);
    // The frequency is limited to 0.001 Hz .. the section's sample rate when it is set.
    void setShape(FilterType type, double frequencyHz, double q);
    void setEnabled(bool enabled);

    double sampleRate() const { return sampleRate_; }
    FilterType type() const { return static_cast<FilterType>(type_.load()); }
    double frequencyHz() const { return frequencyHz_; }
    double q() const { return q_; }
    bool enabled() const { return enabled_; }
    FilterCoefficients coefficients() const;

    // Audio thread only.
    void clearHistory() noexcept { x1_ = x2_ = y1_ = y2_ = 0.0; }
    void process(float* samples, int frames) noexcept;

private:
    void redesign();

    Relaxed<double> sampleRate_{44100.0};
    Relaxed<int> type_{static_cast<int>(FilterType::HighPass2)};
    Relaxed<double> frequencyHz_{1000.0};
    Relaxed<double> q_{0.5};
    Relaxed<bool> enabled_{false};

    Relaxed<double> a0_{1.0}, a1_{0.0}, a2_{0.0}, b0_{1.0}, b1_{0.0}, b2_{0.0};

    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

}  // namespace velunor
