#pragma once
// The quasi-peak detectors end every step of their recursions with x = (x + 1e-14) - 1e-14,
// which sends values far below audibility to 0 so that nothing decays into denormals. Away from
// 0 that step gives x back unchanged on almost every sample, yet it puts two dependent adds on
// each recursion, a third of its length. So a span of samples first runs with the step
// deferred: the recursions carry their values as they are, and each value is recorded. One pass
// over the records afterwards, many values at a time, checks that the step would have given
// every one of them back bit for bit. If it would have, the deferred run went through exactly
// the values of the plain one (each step started from the same value and ended on the same
// one); if not, the span is run again from its start with the step in place.

#include <emmintrin.h>

#include <cstddef>

#include "meters/ChannelPair.h"

namespace velunor {

inline ChannelPair flushTiny(ChannelPair x) { return (x + ChannelPair::both(1e-14)) - ChannelPair::both(1e-14); }

// The step in place.
struct TinyFlush {
    [[gnu::always_inline]] ChannelPair operator()(ChannelPair x) const { return flushTiny(x); }
};

// The step deferred: each value comes back as it is and goes into the next two slots.
class RecordedTinyFlush {
public:
    explicit RecordedTinyFlush(double* slots) : next_(slots) {}
    [[gnu::always_inline]] ChannelPair operator()(ChannelPair x) {
        _mm_store_pd(next_, x.v);
        next_ += 2;
        return x;
    }
    double* end() const { return next_; }

private:
    double* next_;
};

// Whether the step gives every value from `begin` (64-byte aligned) to `end` back unchanged, as
// bits (compared in 32-bit halves, which every x86-64 compares in its vector registers), so
// that no -0 passes for a 0. Pads the records with zeros (which the step keeps) to whole
// vectors of kLanes: the slots must have room for kLanes - 1 more. Written on the compiler's
// generic vectors, so that each build of the block loop checks with the widest vectors it
// compares integers in (kLanes 2 or 8).
template <int kLanes>
struct TinyFlushCheckVectors;
template <>
struct TinyFlushCheckVectors<2> {
    using Values = double __attribute__((vector_size(16), may_alias));
    using Bits = int __attribute__((vector_size(16), may_alias));
};
template <>
struct TinyFlushCheckVectors<8> {
    using Values = double __attribute__((vector_size(64), may_alias));
    using Bits = int __attribute__((vector_size(64), may_alias));
};

template <int kLanes>
[[gnu::always_inline]] inline bool tinyFlushKeepsAll(double* begin, double* end) {
    using Values = typename TinyFlushCheckVectors<kLanes>::Values;
    using Bits = typename TinyFlushCheckVectors<kLanes>::Bits;
    while ((end - begin) % kLanes != 0) *end++ = 0.0;
    const Values tiny = Values{} + 1e-14;
    Bits same = ~Bits{};
    for (const double* p = begin; p < end; p += kLanes) {
        const Values x = *reinterpret_cast<const Values*>(p);
        same &= (Bits)((x + tiny) - tiny) == (Bits)x;
    }
    for (int lane = 0; lane < 2 * kLanes; ++lane)
        if (same[lane] != -1) return false;
    return true;
}

}  // namespace velunor
