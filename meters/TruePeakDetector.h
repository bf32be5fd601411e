#pragma once
// The PRECISE input stage: replaces each sample by the value of largest magnitude among the sample
// 63 places back and the points a 64-tap interpolator puts between its neighbours, so that peaks
// between samples are measured. Four times oversampling below 88.2 kHz, two times up to 176.4 kHz,
// only the delay above.

#include <array>

#include "core/Relaxed.h"
#include "meters/TruePeakKernel.h"

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
    // The raw sample is this many places back; the interpolated points lie about half as far.
    static constexpr int kDelay = InterpolationTables::kTaps - 1;
    // Samples measured per kernel call; process takes any count and works through it in chunks.
    static constexpr int kChunk = 256;

    // With the variant chosen for this processor, or with a given one (tests, benchmarks).
    TruePeakDetector();
    explicit TruePeakDetector(const TruePeakKernel& kernel);

    // Any thread: the audio thread empties the history before its next sample.
    void requestClear() { clearRequested_ = true; }

    // Audio thread: once per block, before the samples.
    void beginBlock(float sampleRate);
    // Audio thread: `count` finite samples of both channels in a row, each replaced by its
    // measured value.
    void process(double* left, double* right, int count);

private:
    enum class Oversampling { Four, Two, None };
    using Window = std::array<double, kDelay + kChunk + kTruePeakKernelGroup>;
    void measure(double* samples, int count, Window& window);

    const TruePeakTaps& taps_;
    const TruePeakKernel& kernel_;
    // The last kDelay samples of each channel, then the chunk being measured.
    alignas(64) Window windowL_{};
    alignas(64) Window windowR_{};
    alignas(64) std::array<double, kChunk + kTruePeakKernelGroup> measured_{};
    Oversampling oversampling_ = Oversampling::Four;
    Relaxed<bool> clearRequested_{false};
};

}  // namespace velunor
