// The interpolator for processors with AVX-512F: eight samples per register, fused multiply-add.
#include <immintrin.h>

#include "meters/TruePeakKernelBody.h"

namespace velunor {
namespace {

struct Avx512 {
    using Reg = __m512d;
    static constexpr int kWidth = 8;
    static Reg load(const double* p) { return _mm512_loadu_pd(p); }
    static Reg broadcast(double x) { return _mm512_set1_pd(x); }
    static Reg add(Reg a, Reg b) { return _mm512_add_pd(a, b); }
    static Reg sub(Reg a, Reg b) { return _mm512_sub_pd(a, b); }
    static Reg fma(Reg a, Reg b, Reg c) { return _mm512_fmadd_pd(a, b, c); }
    static Reg larger(Reg best, Reg candidate) {
        const __mmask8 take = _mm512_cmp_pd_mask(_mm512_abs_pd(candidate), _mm512_abs_pd(best), _CMP_GT_OQ);
        return _mm512_mask_blend_pd(take, best, candidate);
    }
    static void store(double* p, Reg x) { _mm512_storeu_pd(p, x); }
};

void fourTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    fourTimesKernel<Avx512, 4, SharedLoads>(window, count, taps, out);
}
void twoTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    twoTimesKernel<Avx512, 4, SharedLoads>(window, count, taps, out);
}

}  // namespace

const TruePeakKernel kTruePeakAvx512{"avx512", fourTimes, twoTimes};

}  // namespace velunor
