#include "meters/TruePeakDispatch.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "meters/TruePeakDetector.h"

namespace velunor {
namespace {

constexpr int kTaps = TruePeakTaps::kTaps;

TruePeakTaps buildTaps() {
    const InterpolationTables& tables = interpolationTables();
    TruePeakTaps t{};
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t k = 0; k < kTaps; ++k) t.phase[j][k] = tables.fourTimes[j][k];
    for (std::size_t k = 0; k < kTaps; ++k) t.twoTimes[k] = tables.twoTimes[k];
    for (std::size_t k = 0; k < TruePeakTaps::kHalf; ++k) {
        const double near = t.phase[0][k];
        const double far = t.phase[0][kTaps - 1 - k];
        t.even[k] = 0.5 * (near + far);
        t.odd[k] = 0.5 * (near - far);
        t.middle[k] = t.phase[1][k];
        t.half[k] = t.twoTimes[k];
    }
    return t;
}

double dot(const double* taps, const double* window) {
    double sum = 0.0;
    for (int k = 0; k < kTaps; ++k) sum += taps[k] * window[k];
    return sum;
}

void consider(double& best, double candidate) {
    if (std::fabs(candidate) > std::fabs(best)) best = candidate;
}

void plainFourTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    for (int i = 0; i < count; ++i) {
        const double* w = window + i;
        double best = w[0];
        for (const auto& phase : taps.phase) consider(best, dot(phase, w));
        out[i] = best;
    }
}

void plainTwoTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    for (int i = 0; i < count; ++i) {
        const double* w = window + i;
        double best = w[0];
        consider(best, dot(taps.twoTimes, w));
        out[i] = best;
    }
}

struct Supported {
    std::array<const TruePeakKernel*, 4> kernels{};
    std::size_t count = 0;
};

Supported probe() {
    __builtin_cpu_init();  // may run before the constructors that would otherwise set it up
    Supported s;
    s.kernels[s.count++] = &kTruePeakPlain;
    s.kernels[s.count++] = &kTruePeakSse2;  // part of x86-64 itself
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) s.kernels[s.count++] = &kTruePeakAvx2Fma;
    if (__builtin_cpu_supports("avx512f")) s.kernels[s.count++] = &kTruePeakAvx512;
    return s;
}

const Supported& supported() {
    static const Supported s = probe();
    return s;
}

// Chosen when the library loads, so the audio thread never meets a first-use guard.
[[maybe_unused]] const TruePeakKernel& kChosenAtLoad = selectedTruePeakKernel();

}  // namespace

const TruePeakKernel kTruePeakPlain{"plain", plainFourTimes, plainTwoTimes};

const TruePeakTaps& truePeakTaps() {
    static const TruePeakTaps taps = buildTaps();
    return taps;
}

std::span<const TruePeakKernel* const> supportedTruePeakKernels() {
    const Supported& s = supported();
    return {s.kernels.data(), s.count};
}

const TruePeakKernel& selectedTruePeakKernel() {
    const Supported& s = supported();
    return *s.kernels[s.count - 1];
}

}  // namespace velunor
