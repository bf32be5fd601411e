#pragma once
// Channel A and channel B of a detector side by side in one SSE2 register, which every x86-64
// has. The detectors are recursions bound by latency, not arithmetic: run as one, the two
// channels cost about what one does. Each lane does the same IEEE double arithmetic as a scalar
// loop would, so the results are those of the plain per-channel code bit for bit.

#include <emmintrin.h>

#include <cstddef>

namespace velunor {

struct ChannelMask {
    __m128d bits;

    static ChannelMask none() { return {_mm_setzero_pd()}; }
    static ChannelMask of(bool a, bool b) {
        return {_mm_castsi128_pd(_mm_set_epi64x(b ? -1 : 0, a ? -1 : 0))};
    }
    friend ChannelMask operator|(ChannelMask x, ChannelMask y) { return {_mm_or_pd(x.bits, y.bits)}; }
    ChannelMask swapped() const { return {_mm_shuffle_pd(bits, bits, 1)}; }
};

struct ChannelPair {
    __m128d v;

    static ChannelPair of(double a, double b) { return {_mm_set_pd(b, a)}; }
    static ChannelPair both(double x) { return {_mm_set1_pd(x)}; }

    double operator[](std::size_t channel) const {
        return _mm_cvtsd_f64(channel == 0 ? v : _mm_unpackhi_pd(v, v));
    }
    // Channel A of each.
    static ChannelPair join(ChannelPair a, ChannelPair b) { return {_mm_unpacklo_pd(a.v, b.v)}; }
    ChannelPair swapped() const { return {_mm_shuffle_pd(v, v, 1)}; }
    // 0 where the mask is set.
    ChannelPair zeroWhere(ChannelMask m) const { return {_mm_andnot_pd(m.bits, v)}; }
    // The same pair with one channel replaced.
    ChannelPair with(std::size_t channel, double x) const {
        return {channel == 0 ? _mm_move_sd(v, _mm_set_sd(x)) : _mm_unpacklo_pd(v, _mm_set_sd(x))};
    }

    friend ChannelPair operator+(ChannelPair x, ChannelPair y) { return {_mm_add_pd(x.v, y.v)}; }
    friend ChannelPair operator-(ChannelPair x, ChannelPair y) { return {_mm_sub_pd(x.v, y.v)}; }
    friend ChannelPair operator*(ChannelPair x, ChannelPair y) { return {_mm_mul_pd(x.v, y.v)}; }
    // The sign flipped, as unary minus does.
    ChannelPair operator-() const { return {_mm_xor_pd(v, _mm_set1_pd(-0.0))}; }
    friend ChannelPair abs(ChannelPair x) { return {_mm_andnot_pd(_mm_set1_pd(-0.0), x.v)}; }

    // Ordered comparisons, as the scalar operators.
    friend ChannelMask operator>(ChannelPair x, ChannelPair y) { return {_mm_cmpgt_pd(x.v, y.v)}; }
    friend ChannelMask operator>=(ChannelPair x, ChannelPair y) { return {_mm_cmpge_pd(x.v, y.v)}; }
    friend ChannelMask operator<(ChannelPair x, ChannelPair y) { return {_mm_cmplt_pd(x.v, y.v)}; }
    // Not a number or infinite.
    friend ChannelMask notFinite(ChannelPair x) {
        return {_mm_cmpnle_pd(abs(x).v, _mm_set1_pd(1.7976931348623157e308))};
    }
};

// Every sample of both channels is a finite number: four at a time, then the rest.
inline bool allFinite(const float* left, const float* right, int frames) {
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
    const __m128 largest = _mm_set1_ps(3.40282347e38f);
    __m128 bad = _mm_setzero_ps();
    int n = 0;
    for (; n + 4 <= frames; n += 4) {
        bad = _mm_or_ps(bad, _mm_cmpnle_ps(_mm_and_ps(_mm_loadu_ps(left + n), magnitude), largest));
        bad = _mm_or_ps(bad, _mm_cmpnle_ps(_mm_and_ps(_mm_loadu_ps(right + n), magnitude), largest));
    }
    for (; n < frames; ++n) {
        bad = _mm_or_ps(bad, _mm_cmpnle_ss(_mm_and_ps(_mm_load_ss(left + n), magnitude), largest));
        bad = _mm_or_ps(bad, _mm_cmpnle_ss(_mm_and_ps(_mm_load_ss(right + n), magnitude), largest));
    }
    return _mm_movemask_ps(bad) == 0;
}

// Per channel: x where the mask is set, 0 elsewhere.
inline ChannelPair maskedBy(ChannelMask m, ChannelPair x) { return {_mm_and_pd(m.bits, x.v)}; }

// Per channel: `yes` where the mask is set, `no` elsewhere.
inline ChannelPair select(ChannelMask m, ChannelPair yes, ChannelPair no) {
    return {_mm_or_pd(_mm_and_pd(m.bits, yes.v), _mm_andnot_pd(m.bits, no.v))};
}

}  // namespace velunor
