#include "strips/StripFilterBank.h"

#include <algorithm>
#include <cmath>

namespace velunor {
namespace {

int switchOf(float v) { return static_cast<int>(v + 0.5f); }

double sectionRate(float bankRate) {
    return bankRate < 20000.0f || bankRate > 400000.0f ? 44100.0 : static_cast<double>(bankRate);
}

// Q of the second low-pass stage: a little more resonance for low settings, where the first-order
// stage is gentle.
double lowPassQ(double lowPassHz) {
    return std::clamp(std::log10(600000.0 / lowPassHz) * 0.091 + 0.4, 0.0001, 1000.0);
}

// base x 100^v, limited to the control's range (a NaN value reads as the bottom of it).
float sweepHz(float base, float v, float lowest, float highest) {
    const float hz = static_cast<float>(static_cast<double>(base) * std::pow(100.0, static_cast<double>(v)));
    return std::isnan(hz) ? lowest : std::clamp(hz, lowest, highest);
}

}  // namespace

StripFilterBank::StripFilterBank() {
    for (FilterSection& s : sections_) s.setSampleRate(sectionRate(sampleRate_));
    setHighPassFrequency(hpFrequency_);
    setLowPassFrequency(lpFrequency_);
    setHighPassState(hpState_);
    setHighPassSlope(hpSlope_);
    setLowPassState(lpState_);
    setLowPassSlope(lpSlope_);
}

void StripFilterBank::setSampleRate(float rate) {
    // Designed at the host's real rate, so "200 Hz" is 200 Hz at 32 kHz too.
    if (!(rate >= kMinSampleRate)) rate = 44100.0f;
    sampleRate_ = std::min(rate, kMaxSampleRate);
    for (FilterSection& s : sections_) s.setSampleRate(sectionRate(sampleRate_));
}

void StripFilterBank::reset() { resetPending_.store(true, std::memory_order_relaxed); }

void StripFilterBank::refresh() {
    for (FilterSection& s : sections_) s.setSampleRate(sectionRate(sampleRate_));
    setHighPassState(hpState_);
    setHighPassFrequency(hpFrequency_);
    setLowPassState(lpState_);
    setLowPassFrequency(lpFrequency_);
}

void StripFilterBank::enablePair(int leftIndex, bool enabled) {
    at(leftIndex).setEnabled(enabled);
    at(leftIndex + kRight).setEnabled(enabled);
}

void StripFilterBank::shapePair(int leftIndex, FilterType type, double hz, double q) {
    at(leftIndex).setShape(type, hz, q);
    at(leftIndex + kRight).setShape(type, hz, q);
}

void StripFilterBank::setHighPassState(float v) {
    hpOn_ = switchOf(v);
    hpState_ = v;
    enablePair(kHighPass1, hpOn_ != 0);
    enablePair(kHighPass2, hpOn_ * hpSteep_ != 0);
}

void StripFilterBank::setHighPassSlope(float v) {
    hpSteep_ = switchOf(v);
    hpSlope_ = v;
    enablePair(kHighPass2, hpOn_ * hpSteep_ != 0);
}

void StripFilterBank::setHighPassFrequency(float v) {
    const float hz = sweepHz(20.0f, v, 20.0f, 2000.0f);
    hpHz_ = hz;
    hpFrequency_ = v;
    shapePair(kHighPass1, FilterType::HighPass2, hz, 0.5);
    shapePair(kHighPass2, FilterType::HighPass2, 0.7 * hz, 0.5);
}

void StripFilterBank::setLowPassState(float v) {
    lpOn_ = switchOf(v);
    lpState_ = v;
    enablePair(kLowPass1, lpOn_ != 0);
    enablePair(kLowPass2, lpOn_ * lpSteep_ != 0);
}

void StripFilterBank::setLowPassSlope(float v) {
    lpSteep_ = switchOf(v);
    lpSlope_ = v;
    enablePair(kLowPass2, lpOn_ * lpSteep_ != 0);
}

void StripFilterBank::setLowPassFrequency(float v) {
    const float hz = sweepHz(300.0f, v, 300.0f, 30000.0f);
    lpHz_ = hz;
    lpFrequency_ = v;
    const double q = lowPassQ(hz);
    shapePair(kLowPass1, FilterType::LowPass1, hz, 0.0);
    shapePair(kLowPass2, FilterType::LowPass2, 1.4 * hz, q);
}

void StripFilterBank::clearHistoryIfAsked() noexcept {
    if (!resetPending_.exchange(false, std::memory_order_relaxed)) return;
    for (FilterSection& s : sections_) s.clearHistory();
    left_.fill(0.0f);
    right_.fill(0.0f);
}

void StripFilterBank::process(float* const* in, float* const* out, int frames) noexcept {
    clearHistoryIfAsked();
    // Each channel passes high-pass 1, high-pass 2, low-pass 1, low-pass 2; a disabled stage
    // leaves the signal as it is.
    static constexpr int kOrder[kSectionCount] = {0, 2, 1, 3, 4, 6, 5, 7};
    for (int done = 0; done < frames; done += kChunkFrames) {
        const int n = std::min(kChunkFrames, frames - done);
        std::copy_n(in[0] + done, n, left_.data());
        std::copy_n(in[1] + done, n, right_.data());
        for (int index : kOrder) at(index).process((index & kRight) ? right_.data() : left_.data(), n);
        std::copy_n(left_.data(), n, out[0] + done);
        std::copy_n(right_.data(), n, out[1] + done);
    }
}

}  // namespace velunor
