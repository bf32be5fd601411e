#pragma once
// The VU needle's movement: sixteen low-pass sections of one natural frequency whose damping falls
// from "at rest" (section 0) to "at full scale" (section 15). Each sample picks the section for the
// needle's current deflection, so the needle is damped harder near the top of the scale.

#include <array>

#include "core/Relaxed.h"
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

    // The bank as one block steps it: the current section's coefficients and the needle's
    // history stay in registers, and a section is read or written only when the needle moves
    // into another one. finish() hands the state back to the bank.
    class Cursor {
    public:
        explicit Cursor(NeedleFilterBank& bank);

        // One sample: the current section's output rounded to single precision (not clamped);
        // the deflection then picks the section for the next sample, which takes the history.
        [[gnu::always_inline]] double step(double x) {
            const int used = current_;
            const double y = static_cast<float>(NeedleSection::step(coefficients_, offset_, history_, x));
            const float deflection = static_cast<float>(y) < 0.0f   ? 0.0f
                                     : static_cast<float>(y) > 1.0f ? 1.0f
                                                                    : static_cast<float>(y);
            const int next = static_cast<int>(15.0f * deflection + 0.5f);
            previous_ = used;
            if (next != used) enter(next);
            return y;
        }
        void finish();

    private:
        void enter(int section);

        NeedleFilterBank& bank_;
        int current_;
        int previous_;
        NeedleSection::Coefficients coefficients_;
        double offset_;
        NeedleSection::History history_;
    };

    const NeedleSection& section(int i) const { return sections_[static_cast<std::size_t>(i)]; }
    int currentSection() const { return current_; }

private:
    std::array<NeedleSection, kSections> sections_;
    Relaxed<int> current_{0};
    Relaxed<int> previous_{0};
};

// Inline, like step: a cursor whose address reached an out-of-line call would live in memory
// instead of registers.
inline void NeedleFilterBank::Cursor::enter(int section) {
    // The section left keeps the history of its last step, as the one entered takes it over.
    NeedleSection& left = bank_.sections_[static_cast<std::size_t>(current_)];
    left.setHistory(history_);
    left.setOffset(offset_);
    current_ = section;
    const NeedleSection& entered = bank_.sections_[static_cast<std::size_t>(section)];
    coefficients_ = entered.coefficients();
    offset_ = entered.offset();
}

inline void NeedleFilterBank::Cursor::finish() {
    NeedleSection& s = bank_.sections_[static_cast<std::size_t>(current_)];
    s.setHistory(history_);
    s.setOffset(offset_);
    bank_.current_ = current_;
    bank_.previous_ = previous_;
}

}  // namespace velunor
