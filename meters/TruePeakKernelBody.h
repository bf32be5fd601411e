#pragma once
// The vectorised interpolator, written once over a vector type and instantiated by each variant's
// translation unit with that unit's instruction set. Everything here has internal linkage (see
// TruePeakKernel.h for why).
//
// Vectorised across time: the outputs of consecutive samples share no state, so each vector lane
// is one sample n and every tap is one multiply-add on a whole vector of windows. Groups of
// several vectors keep enough independent accumulators in flight to hide the multiply-add latency.

#include "meters/TruePeakKernel.h"

namespace velunor {
namespace {

// V provides: Reg, kWidth, load(const double*), broadcast(double), add, sub, fma(a, b, c) = a * b + c,
// larger(best, candidate) = candidate where |candidate| > |best|, else best, store(double*, Reg).
template <typename V, int kGroup>
inline void fourTimesKernel(const double* window, int count, const TruePeakTaps& taps, double* out) {
    using Reg = typename V::Reg;
    constexpr int kStep = V::kWidth * kGroup;
    for (int i = 0; i < count; i += kStep) {
        Reg outer[kGroup], inner[kGroup], mid[kGroup];
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) outer[g] = inner[g] = mid[g] = V::broadcast(0.0);
        const double* w = window + i;
#pragma GCC unroll 4
        for (int k = 0; k < TruePeakTaps::kHalf; ++k) {
            const Reg even = V::broadcast(taps.even[k]);
            const Reg odd = V::broadcast(taps.odd[k]);
            const Reg middle = V::broadcast(taps.middle[k]);
    #pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) {
                const Reg a = V::load(w + g * V::kWidth + k);
                const Reg b = V::load(w + g * V::kWidth + TruePeakTaps::kTaps - 1 - k);
                const Reg s = V::add(a, b);
                outer[g] = V::fma(even, s, outer[g]);
                inner[g] = V::fma(odd, V::sub(a, b), inner[g]);
                mid[g] = V::fma(middle, s, mid[g]);
            }
        }
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) {
            Reg best = V::load(w + g * V::kWidth);
            best = V::larger(best, V::add(outer[g], inner[g]));
            best = V::larger(best, mid[g]);
            best = V::larger(best, V::sub(outer[g], inner[g]));
            V::store(out + i + g * V::kWidth, best);
        }
    }
}

template <typename V, int kGroup>
inline void twoTimesKernel(const double* window, int count, const TruePeakTaps& taps, double* out) {
    using Reg = typename V::Reg;
    constexpr int kStep = V::kWidth * kGroup;
    for (int i = 0; i < count; i += kStep) {
        Reg sum[kGroup];
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) sum[g] = V::broadcast(0.0);
        const double* w = window + i;
#pragma GCC unroll 4
        for (int k = 0; k < TruePeakTaps::kHalf; ++k) {
            const Reg half = V::broadcast(taps.half[k]);
    #pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) {
                const Reg a = V::load(w + g * V::kWidth + k);
                const Reg b = V::load(w + g * V::kWidth + TruePeakTaps::kTaps - 1 - k);
                sum[g] = V::fma(half, V::add(a, b), sum[g]);
            }
        }
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g)
            V::store(out + i + g * V::kWidth, V::larger(V::load(w + g * V::kWidth), sum[g]));
    }
}

}  // namespace
}  // namespace velunor
