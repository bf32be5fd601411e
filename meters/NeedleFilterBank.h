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

    double step(double x) {
        const int used = current_;
        const double y = static_cast<float>(sections_[static_cast<std::size_t>(used)].step(x));
        const float deflection = static_cast<float>(y) < 0.0f ? 0.0f : static_cast<float>(y) > 1.0f ? 1.0f : static_cast<float>(y);
        const int next = static_cast<int>(15.0f * deflection + 0.5f);
        previous_ = used;
        current_ = next;
        if (next != used) sections_[static_cast<std::size_t>(next)].takeHistoryFrom(sections_[static_cast<std::size_t>(used)]);
        return y;
    }

    const NeedleSection& section(int i) const { return sections_[static_cast<std::size_t>(i)]; }
    int currentSection() const { return current_; }

private:
    std::array<NeedleSection, kSections> sections_;
    Relaxed<int> current_{0};
    Relaxed<int> previous_{0};
};

}  // namespace velunor
