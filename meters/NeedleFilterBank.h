#pragma once
// The VU needle's movement: sixteen low-pass sections of one natural frequency whose damping falls
// from "at rest" (section 0) to "at full scale" (section 15). Each sample picks the section for the
// needle's current deflection, so the needle is damped harder near the top of the scale.

#include <array>

#include "core/Relaxed.h"
#include "meters/ChannelPair.h"
#include "meters/NeedleSection.h"

namespace velunor {

class NeedleFilterBank {
public:
    static constexpr int kSections = 16;

    NeedleFilterBank(double dampingAtRest, double dampingAtFullScale);

    // Every section at the new rate, frequency limited for it, coefficients recomputed.
    void setSampleRate(double rate);
    // New frequency and damping ramp for all sections; points the needle back at section 0, whose
    // history is whatever it last held.
    void design(double frequencyHz, double dampingAtRest, double dampingAtFullScale);

    // Two banks, the needles of channel A and B, as one block steps them side by side: each
    // channel's current section's coefficients and its history stay in registers, and a section
    // is read or written only when that needle moves into another one. finish() hands the state
    // back to the banks.
    class PairCursor {
    public:
        [[gnu::always_inline]] PairCursor(NeedleFilterBank& a, NeedleFilterBank& b);

        // One sample per channel: the current section's output rounded to single precision (not
        // clamped); the deflection then picks the section for the next sample, which takes over
        // the history.
        [[gnu::always_inline]] ChannelPair step(ChannelPair x) {
            // A tiny offset of alternating sign keeps the recursion out of denormals.
            offset_ = -offset_;
            const ChannelPair in = x + offset_;
            const ChannelPair out = b1_ * x1_ + b0_ * in + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
            y2_ = y1_;
            x2_ = x1_;
            x1_ = in;
            y_ = out;
            y1_ = out + offset_;
            const __m128 single = _mm_cvtpd_ps(out.v);
            previous_[0] = current_[0];
            previous_[1] = current_[1];
            // Almost always both needles are still within the outputs that pick their current
            // sections; a NaN never is, and takes the long way like any other change.
            const __m128 inside = _mm_and_ps(_mm_cmpge_ps(single, floor_), _mm_cmplt_ps(single, ceiling_));
            if ((_mm_movemask_ps(inside) & 3) != 3) [[unlikely]] {
                const __m128i next = sectionsFor(single);
                const int nextA = _mm_cvtsi128_si32(next);
                const int nextB = _mm_cvtsi128_si32(_mm_shuffle_epi32(next, 1));
                if (nextA != current_[0]) enter(0, nextA);
                if (nextB != current_[1]) enter(1, nextB);
                setRanges();
            }
            return {_mm_cvtps_pd(single)};
        }
        [[gnu::always_inline]] void finish();

    private:
        [[gnu::always_inline]] void enter(std::size_t channel, int section);
        NeedleSection& sectionOf(std::size_t channel, int section) {
            return banks_[channel]->sections_[static_cast<std::size_t>(section)];
        }
        NeedleSection::History historyOf(std::size_t c) const { return {x1_[c], x2_[c], y_[c], y1_[c], y2_[c]}; }
        [[gnu::always_inline]] void load(std::size_t channel);
        // The ranges of outputs that keep each channel in its current section.
        void setRanges() {
            floor_ = _mm_setr_ps(sectionFloor(current_[0]), sectionFloor(current_[1]), 0.0f, 0.0f);
            ceiling_ = _mm_setr_ps(sectionFloor(current_[0] + 1), sectionFloor(current_[1] + 1), 0.0f, 0.0f);
        }

        std::array<NeedleFilterBank*, 2> banks_;
        std::array<int, 2> current_;
        std::array<int, 2> previous_;
        ChannelPair b0_{}, b1_{}, b2_{}, a1_{}, a2_{}, offset_{};
        ChannelPair x1_{}, x2_{}, y_{}, y1_{}, y2_{};
        __m128 floor_, ceiling_;
    };

    // The section each lane's needle output, rounded to single precision, picks: its deflection
    // (clamped to 0..1, a NaN to 0) in sixteenths, rounded.
    static __m128i sectionsFor(__m128 single) {
        const __m128 deflection = _mm_min_ps(_mm_max_ps(single, _mm_setzero_ps()), _mm_set1_ps(1.0f));
        return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(_mm_set1_ps(15.0f), deflection), _mm_set1_ps(0.5f)));
    }
    // The outputs that pick section k are those from sectionFloor(k) to below sectionFloor(k + 1)
    // (the pick grows with the output); sectionFloor(0) is minus infinity, sectionFloor(16) plus
    // infinity.
    static float sectionFloor(int k) { return kSectionFloors[static_cast<std::size_t>(k)]; }

    const NeedleSection& section(int i) const { return sections_[static_cast<std::size_t>(i)]; }
    int currentSection() const { return current_; }

private:
    static const std::array<float, kSections + 1> kSectionFloors;
    std::array<NeedleSection, kSections> sections_;
    Relaxed<int> current_{0};
    Relaxed<int> previous_{0};
};

// Inlined, like step: a cursor whose address reached an out-of-line call would live in memory
// instead of registers.
inline NeedleFilterBank::PairCursor::PairCursor(NeedleFilterBank& a, NeedleFilterBank& b)
    : banks_{&a, &b},
      current_{a.current_, b.current_},
      previous_{a.previous_, b.previous_} {
    // Unrolled, like every loop over the channels here: an index the compiler cannot see
    // through would put the whole cursor in memory.
#pragma GCC unroll 2
    for (std::size_t c = 0; c < 2; ++c) {
        const NeedleSection::History& h = sectionOf(c, current_[c]).history();
        x1_ = x1_.with(c, h.x1);
        x2_ = x2_.with(c, h.x2);
        y_ = y_.with(c, h.y);
        y1_ = y1_.with(c, h.y1);
        y2_ = y2_.with(c, h.y2);
        load(c);
    }
    setRanges();
}

// The coefficients and the offset of the channel's current section into its lane.
inline void NeedleFilterBank::PairCursor::load(std::size_t c) {
    const NeedleSection& s = sectionOf(c, current_[c]);
    const NeedleSection::Coefficients k = s.coefficients();
    b0_ = b0_.with(c, k.b0);
    b1_ = b1_.with(c, k.b1);
    b2_ = b2_.with(c, k.b2);
    a1_ = a1_.with(c, k.a1);
    a2_ = a2_.with(c, k.a2);
    offset_ = offset_.with(c, s.offset());
}

inline void NeedleFilterBank::PairCursor::enter(std::size_t c, int section) {
    // The section left keeps the history of its last step, as the one entered takes it over.
    NeedleSection& left = sectionOf(c, current_[c]);
    left.setHistory(historyOf(c));
    left.setOffset(offset_[c]);
    current_[c] = section;
    load(c);
}

inline void NeedleFilterBank::PairCursor::finish() {
#pragma GCC unroll 2
    for (std::size_t c = 0; c < 2; ++c) {
        NeedleSection& s = sectionOf(c, current_[c]);
        s.setHistory(historyOf(c));
        s.setOffset(offset_[c]);
        banks_[c]->current_ = current_[c];
        banks_[c]->previous_ = previous_[c];
    }
}

}  // namespace velunor
