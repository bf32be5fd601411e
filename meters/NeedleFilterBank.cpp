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

NeedleFilterBank::Cursor::Cursor(NeedleFilterBank& bank)
    : bank_(bank),
      current_(bank.current_),
      previous_(bank.previous_),
      coefficients_(bank.sections_[static_cast<std::size_t>(current_)].coefficients()),
      offset_(bank.sections_[static_cast<std::size_t>(current_)].offset()),
      history_(bank.sections_[static_cast<std::size_t>(current_)].history()) {}

void NeedleFilterBank::Cursor::enter(int section) {
    // The section left keeps the history of its last step, as the one entered takes it over.
    NeedleSection& left = bank_.sections_[static_cast<std::size_t>(current_)];
    left.setHistory(history_);
    left.setOffset(offset_);
    current_ = section;
    const NeedleSection& entered = bank_.sections_[static_cast<std::size_t>(section)];
    coefficients_ = entered.coefficients();
    offset_ = entered.offset();
}

void NeedleFilterBank::Cursor::finish() {
    NeedleSection& s = bank_.sections_[static_cast<std::size_t>(current_)];
    s.setHistory(history_);
    s.setOffset(offset_);
    bank_.current_ = current_;
    bank_.previous_ = previous_;
}

}  // namespace velunor
