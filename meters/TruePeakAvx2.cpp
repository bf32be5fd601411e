// The interpolator for processors with AVX2 and FMA: four samples per register, fused multiply-add.
#include <immintrin.h>

#include "meters/TruePeakKernelBody.h"

namespace velunor {
namespace {

struct Avx2Fma {
    using Reg = __m256d;
    static constexpr int kWidth = 4;
    static Reg load(const double* p) { return _mm256_loadu_pd(p); }
    static Reg broadcast(double x) { return _mm256_set1_pd(x); }
    static Reg add(Reg a, Reg b) { return _mm256_add_pd(a, b); }
    static Reg sub(Reg a, Reg b) { return _mm256_sub_pd(a, b); }
    static Reg fma(Reg a, Reg b, Reg c) { return _mm256_fmadd_pd(a, b, c); }
    static Reg larger(Reg best, Reg candidate) {
        const Reg magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffffLL));
        const Reg take = _mm256_cmp_pd(_mm256_and_pd(candidate, magnitude), _mm256_and_pd(best, magnitude), _CMP_GT_OQ);
        return _mm256_blendv_pd(best, candidate, take);
    }
    static void store(double* p, Reg x) { _mm256_storeu_pd(p, x); }
};

void fourTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    fourTimesKernel<Avx2Fma, 3>(window, count, taps, out);
}
void twoTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    twoTimesKernel<Avx2Fma, 4>(window, count, taps, out);
}

}  // namespace

const TruePeakKernel kTruePeakAvx2Fma{"avx2+fma", fourTimes, twoTimes};

}  // namespace velunor
