// The interpolator for any x86-64: two samples per SSE2 register, multiply and add unfused.
#include <emmintrin.h>

#include "meters/TruePeakKernelBody.h"

namespace velunor {
namespace {

struct Sse2 {
    using Reg = __m128d;
    static constexpr int kWidth = 2;
    static Reg load(const double* p) { return _mm_loadu_pd(p); }
    static Reg broadcast(double x) { return _mm_set1_pd(x); }
    static Reg add(Reg a, Reg b) { return _mm_add_pd(a, b); }
    static Reg sub(Reg a, Reg b) { return _mm_sub_pd(a, b); }
    static Reg fma(Reg a, Reg b, Reg c) { return _mm_add_pd(_mm_mul_pd(a, b), c); }
    static Reg larger(Reg best, Reg candidate) {
        const Reg magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffLL));
        const Reg take = _mm_cmpgt_pd(_mm_and_pd(candidate, magnitude), _mm_and_pd(best, magnitude));
        return _mm_or_pd(_mm_and_pd(take, candidate), _mm_andnot_pd(take, best));
    }
    static void store(double* p, Reg x) { _mm_storeu_pd(p, x); }
};

void fourTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    fourTimesKernel<Sse2, 4>(window, count, taps, out);
}
void twoTimes(const double* window, int count, const TruePeakTaps& taps, double* out) {
    twoTimesKernel<Sse2, 4>(window, count, taps, out);
}

}  // namespace

const TruePeakKernel kTruePeakSse2{"sse2", fourTimes, twoTimes};

}  // namespace velunor
