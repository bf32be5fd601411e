#pragma once
// The PRECISE interpolator's inner loop in several instruction-set variants. This header is
// included by translation units built with AVX2 or AVX-512 enabled, so it holds plain data and
// declarations only: an inline function defined here could be emitted with wide instructions and
// then be picked by the linker for code that runs on any x86-64.

namespace velunor {

// The interpolation taps in the forms the kernels use. Tap k multiplies x[n - 63 + k].
struct TruePeakTaps {
    static constexpr int kTaps = 64;
    static constexpr int kHalf = kTaps / 2;
    // As designed: the three four-times phases and the two-times interpolator.
    alignas(64) double phase[3][kTaps];
    alignas(64) double twoTimes[kTaps];
    // Folded around the window's middle, s = x[k] + x[63 - k], d = x[k] - x[63 - k], k < 32:
    // phase 1 = sum(even s + odd d), phase 3 (phase 1 reversed) = sum(even s - odd d),
    // phase 2 = sum(middle s), the two-times point = sum(half s). Half the multiply-adds.
    alignas(64) double even[kHalf];
    alignas(64) double odd[kHalf];
    alignas(64) double middle[kHalf];
    alignas(64) double half[kHalf];
};

// Measures `count` samples: out[i] is the value of largest magnitude among the raw sample
// window[i] (x[n - 63]) and the interpolated points of window[i .. i + 63], in the order raw,
// phase 1, 2, 3, replaced only by a strictly larger magnitude, sign kept. A kernel may compute
// up to kTruePeakKernelGroup - 1 outputs past count: window and out must have room for them.
using TruePeakKernelFn = void (*)(const double* window, int count, const TruePeakTaps& taps, double* out);
constexpr int kTruePeakKernelGroup = 32;

struct TruePeakKernel {
    const char* name;
    TruePeakKernelFn fourTimes;
    TruePeakKernelFn twoTimes;
};

// One per variant, each in a translation unit of its own compiled for its instruction set.
extern const TruePeakKernel kTruePeakSse2;
extern const TruePeakKernel kTruePeakAvx2Fma;
extern const TruePeakKernel kTruePeakAvx512;

}  // namespace velunor
