#pragma once
// The PRECISE input stage: replaces each sample by the value of largest magnitude among the sample
// 63 places back and the points a 64-tap interpolator puts between its neighbours, so that peaks
// between samples are measured. Four times oversampling below 88.2 kHz, two times up to 176.4 kHz,
// only the delay above.

#include <array>

#include "core/Relaxed.h"

namespace velunor {

struct InterpolationTables {
    static constexpr int kTaps = 64;
    // Tap k multiplies x[n - 63 + k]; phase j lies (4 - j) / 4 of the way from x[n - 32] to x[n - 31].
    std::array<std::array<double, kTaps>, 3> fourTimes;
    // Half-way between x[n - 32] and x[n - 31].
    std::array<double, kTaps> twoTimes;
};

// Built on first use and never changed; the first engine constructed builds it.
const InterpolationTables& interpolationTables();

class TruePeakDetector {
public:
    TruePeakDetector();

    // Any thread: the audio thread empties the rings before its next sample.
    void requestClear() { clearRequested_ = true; }

    // Audio thread: once per block, before the samples.
    void beginBlock(float sampleRate);
    // Audio thread: one sample of both channels, replaced by their measured values.
    void process(double& left, double& right);

private:
    enum class Oversampling { Four, Two, None };
    double measure(const double* window) const;

    const InterpolationTables& tables_;
    // Each ring is stored twice in a row so that the 64 samples from any start are contiguous.
    std::array<double, 2 * InterpolationTables::kTaps> ringL_{};
    std::array<double, 2 * InterpolationTables::kTaps> ringR_{};
    int ringIndex_ = 0;
    Oversampling oversampling_ = Oversampling::Four;
    Relaxed<bool> clearRequested_{false};
};

}  // namespace velunor
