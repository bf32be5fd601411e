#include "meters/NeedleFilterBank.h"

namespace velunor {

NeedleFilterBank::NeedleFilterBank(double dampingAtRest, double dampingAtFullScale) {
    for (int i = 0; i < kSections; ++i) {
        NeedleSection& s = sections_[static_cast<std::size_t>(i)];
        s.setQ(dampingAtRest - i * (dampingAtRest - dampingAtFullScale) / 15.0);
        s.computeLowPass();
    }
}

void NeedleFilterBank::setSampleRate(double rate) {
    // The limit is taken at a sane rate even if a wild one slipped through.
    const double limitRate = rate < 20000.0 || rate > 200000.0 ? 44100.0 : rate;
    for (NeedleSection& s : sections_) {
        s.setSampleRate(rate);
        if (s.frequency() > 0.499 * limitRate) s.setFrequency(0.499 * limitRate);
        s.computeLowPass();
    }
}

void NeedleFilterBank::design(double frequencyHz, double dampingAtRest, double dampingAtFullScale) {
    for (int i = 0; i < kSections; ++i) {
        NeedleSection& s = sections_[static_cast<std::size_t>(i)];
        s.setFrequency(frequencyHz);
        s.setQ(dampingAtRest - i * (dampingAtRest - dampingAtFullScale) / 15.0);
        s.computeLowPass();
    }
    current_ = 0;
    previous_ = 0;
}

}  // namespace velunor
