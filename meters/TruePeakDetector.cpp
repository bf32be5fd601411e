#include "meters/TruePeakDetector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "meters/TruePeakDispatch.h"

namespace velunor {
namespace {

constexpr int kTaps = InterpolationTables::kTaps;

// The two-times interpolator's taps 0 to 31; the other half mirrors them and all 64 sum to 1.
constexpr double kTwoTimesHalf[32] = {
    -9.527392564188e-07, 3.996486423714e-06,  -1.118903986638e-05, 2.467901457974e-05,
    -4.780600972514e-05, 8.530390769326e-05,  -0.00014352763960636, 0.0002306980712456,
    -0.000357158325338,  0.000535634929485,   -0.0007814991979156, 0.0011130288264378,
    -0.001551677555882,  0.002122372982078,   -0.002853880759364,  0.00377930020547,
    -0.004936796264104,  0.006370734171862,   -0.00813348126163,   0.01028830415771,
    -0.01291407644336,   0.016113039457338,   -0.02002388179646,   0.024844505906,
    -0.03087347507758,   0.0385901644437,     -0.04882272473866,   0.06314023363682,
    -0.08491709155632,   0.12295148511888,    -0.2095561567046,    0.6357317598066,
};

// The four-times phases: a Kaiser-windowed sinc centred on the point each phase interpolates.
// beta and the half-length were fitted to the reference taps (within 2e-4 of every quoted one).
constexpr double kKaiserBeta = 5.8;
constexpr double kKaiserHalfLength = 31.76;

double besselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 50; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

std::array<double, kTaps> windowedSincPhase(double position) {
    std::array<double, kTaps> taps{};
    double sum = 0.0;
    for (int k = 0; k < kTaps; ++k) {
        double x = k - position;
        double sinc = x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        double r = x / kKaiserHalfLength;
        double window = r >= 1.0 || r <= -1.0 ? 0.0 : besselI0(kKaiserBeta * std::sqrt(1.0 - r * r)) / besselI0(kKaiserBeta);
        taps[static_cast<std::size_t>(k)] = sinc * window;
        sum += taps[static_cast<std::size_t>(k)];
    }
    for (double& t : taps) t /= sum;  // unity gain at DC
    return taps;
}

InterpolationTables buildTables() {
    InterpolationTables t{};
    // x[n - 32] is tap 31: phase 1 lies at 31.75, phase 2 at 31.5, phase 3 at 31.25.
    t.fourTimes[0] = windowedSincPhase(31.75);
    auto middle = windowedSincPhase(31.5);
    for (int k = 0; k < kTaps / 2; ++k) {
        // Exactly symmetric, and phase 3 exactly phase 1 reversed, whatever the rounding above.
        t.fourTimes[1][static_cast<std::size_t>(k)] = middle[static_cast<std::size_t>(k)];
        t.fourTimes[1][static_cast<std::size_t>(kTaps - 1 - k)] = middle[static_cast<std::size_t>(k)];
        t.twoTimes[static_cast<std::size_t>(k)] = kTwoTimesHalf[k];
        t.twoTimes[static_cast<std::size_t>(kTaps - 1 - k)] = kTwoTimesHalf[k];
    }
    for (int k = 0; k < kTaps; ++k)
        t.fourTimes[2][static_cast<std::size_t>(k)] = t.fourTimes[0][static_cast<std::size_t>(kTaps - 1 - k)];
    return t;
}

}  // namespace

const InterpolationTables& interpolationTables() {
    static const InterpolationTables tables = buildTables();
    return tables;
}

TruePeakDetector::TruePeakDetector() : TruePeakDetector(selectedTruePeakKernel()) {}

TruePeakDetector::TruePeakDetector(const TruePeakKernel& kernel) : taps_(truePeakTaps()), kernel_(kernel) {}

void TruePeakDetector::beginBlock(float sampleRate) {
    if (clearRequested_) {
        clearRequested_ = false;
        windowL_.fill(0.0);
        windowR_.fill(0.0);
    }
    oversampling_ = sampleRate < 88200.0f ? Oversampling::Four
                    : sampleRate < 176400.0f ? Oversampling::Two
                                             : Oversampling::None;
}

void TruePeakDetector::measure(double* samples, int count, Window& window) {
    std::copy_n(samples, count, window.begin() + kDelay);
    switch (oversampling_) {
        case Oversampling::Four: kernel_.fourTimes(window.data(), count, taps_, measured_.data()); break;
        case Oversampling::Two: kernel_.twoTimes(window.data(), count, taps_, measured_.data()); break;
        case Oversampling::None: std::copy_n(window.begin(), count, measured_.begin()); break;
    }
    std::copy_n(measured_.begin(), count, samples);
    // The chunk's last kDelay samples are the history of the next one.
    std::copy_n(window.begin() + count, kDelay, window.begin());
}

void TruePeakDetector::process(double* left, double* right, int count) {
    for (int done = 0; done < count; done += kChunk) {
        const int n = std::min(kChunk, count - done);
        measure(left + done, n, windowL_);
        measure(right + done, n, windowR_);
    }
}

}  // namespace velunor
