#include "meters/NeedleFilterBank.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace velunor {
namespace {

int sectionFor(float single) { return _mm_cvtsi128_si32(NeedleFilterBank::sectionsFor(_mm_set1_ps(single))); }

// The smallest output from 0 to 1 that picks section k or above, found among the floats' bit
// patterns, which order the positive floats.
float lowestPicking(int k) {
    std::uint32_t low = 0, high = std::bit_cast<std::uint32_t>(1.0f);
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        if (sectionFor(std::bit_cast<float>(middle)) >= k) high = middle;
        else low = middle + 1;
    }
    return std::bit_cast<float>(low);
}

}  // namespace

const std::array<float, NeedleFilterBank::kSections + 1> NeedleFilterBank::kSectionFloors = [] {
    std::array<float, kSections + 1> floors{};
    floors[0] = -std::numeric_limits<float>::infinity();
    for (int k = 1; k < kSections; ++k) floors[static_cast<std::size_t>(k)] = lowestPicking(k);
    floors[kSections] = std::numeric_limits<float>::infinity();
    return floors;
}();

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
