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

// The two ways of walking the folded taps of kGroup vectors of windows starting at w. Each calls
// body(k, g, a, b) for every tap k < 32 and group g, with a = x[k] and b = x[63 - k] of the
// windows in group g.

// Tap by tap, two loads per tap and group.
struct TapsInOrder {
    template <typename V, int kGroup, typename Body>
    [[gnu::always_inline]] static void visit(const double* w, Body&& body) {
#pragma GCC unroll 4
        for (int k = 0; k < TruePeakTaps::kHalf; ++k) {
#pragma GCC unroll 8
            for (int g = 0; g < kGroup; ++g)
                body(k, g, V::load(w + g * V::kWidth + k), V::load(w + g * V::kWidth + TruePeakTaps::kTaps - 1 - k));
        }
    }
};

// Each load shared: tap k = W kb + j of group g reads x at W (g + kb) + j and at
// W (g - kb) + 63 - j, so for one j all groups and the taps j, W + j, 2W + j, ... need
// kGroup + 32 / W - 1 loads on each side instead of kGroup x 32 / W. For processors whose loads,
// not their multiply-adds, set the pace; every accumulator and load must fit in a register at
// once (32 of them with AVX-512). The taps come in the order j, then kb, so the sums round a
// little differently from the tap-by-tap walk.
struct SharedLoads {
    template <typename V, int kGroup, typename Body>
    [[gnu::always_inline]] static void visit(const double* w, Body&& body) {
        constexpr int kWidth = V::kWidth;
        constexpr int kBlocks = TruePeakTaps::kHalf / kWidth;
        constexpr int kLoads = kGroup + kBlocks - 1;
        static_assert(TruePeakTaps::kHalf % kWidth == 0);
        for (int j = 0; j < kWidth; ++j) {
            typename V::Reg low[kLoads], high[kLoads];
#pragma GCC unroll 16
            for (int m = 0; m < kLoads; ++m) {
                low[m] = V::load(w + kWidth * m + j);
                high[m] = V::load(w + kWidth * (m - kBlocks + 1) + TruePeakTaps::kTaps - 1 - j);
            }
#pragma GCC unroll 8
            for (int kb = 0; kb < kBlocks; ++kb) {
#pragma GCC unroll 8
                for (int g = 0; g < kGroup; ++g) body(kWidth * kb + j, g, low[g + kb], high[g - kb + kBlocks - 1]);
            }
        }
    }
};

// V provides: Reg, kWidth, load(const double*), broadcast(double), add, sub, fma(a, b, c) = a * b + c,
// larger(best, candidate) = candidate where |candidate| > |best|, else best, store(double*, Reg).
template <typename V, int kGroup, typename Walk = TapsInOrder>
inline void fourTimesKernel(const double* window, int count, const TruePeakTaps& taps, double* out) {
    using Reg = typename V::Reg;
    constexpr int kStep = V::kWidth * kGroup;
    for (int i = 0; i < count; i += kStep) {
        Reg outer[kGroup], inner[kGroup], mid[kGroup];
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) outer[g] = inner[g] = mid[g] = V::broadcast(0.0);
        const double* w = window + i;
        Walk::template visit<V, kGroup>(w, [&](int k, int g, Reg a, Reg b) __attribute__((always_inline)) {
            const Reg s = V::add(a, b);
            outer[g] = V::fma(V::broadcast(taps.even[k]), s, outer[g]);
            inner[g] = V::fma(V::broadcast(taps.odd[k]), V::sub(a, b), inner[g]);
            mid[g] = V::fma(V::broadcast(taps.middle[k]), s, mid[g]);
        });
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

template <typename V, int kGroup, typename Walk = TapsInOrder>
inline void twoTimesKernel(const double* window, int count, const TruePeakTaps& taps, double* out) {
    using Reg = typename V::Reg;
    constexpr int kStep = V::kWidth * kGroup;
    for (int i = 0; i < count; i += kStep) {
        Reg sum[kGroup];
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g) sum[g] = V::broadcast(0.0);
        const double* w = window + i;
        Walk::template visit<V, kGroup>(w, [&](int k, int g, Reg a, Reg b) __attribute__((always_inline)) {
            sum[g] = V::fma(V::broadcast(taps.half[k]), V::add(a, b), sum[g]);
        });
#pragma GCC unroll 8
        for (int g = 0; g < kGroup; ++g)
            V::store(out + i + g * V::kWidth, V::larger(V::load(w + g * V::kWidth), sum[g]));
    }
}

}  // namespace
}  // namespace velunor
