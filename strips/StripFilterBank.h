#pragma once
// The strip's high-pass (12 or 24 dB/oct, 20 Hz .. 2 kHz) and low-pass (6 or 18 dB/oct,
// 300 Hz .. 30 kHz) on two channels: eight sections, four per channel.
//
// Threads: the setters, setSampleRate and refresh run on the thread that changes a parameter and
// redesign the sections there; process runs on the audio thread and owns all filter history.
// reset only asks for the history to be cleared: the audio thread does it before its next block.

#include <array>
#include <atomic>

#include "core/Relaxed.h"
#include "strips/FilterSection.h"

namespace velunor {

class StripFilterBank {
public:
    static constexpr int kSectionCount = 8;
    static constexpr int kChunkFrames = 64;
    static constexpr float kMinSampleRate = 20000.0f;
    static constexpr float kMaxSampleRate = 192000.0f;

    StripFilterBank();

    // Rates outside 20 kHz .. 192 kHz are designed as 44.1 kHz below and 192 kHz above.
    void setSampleRate(float rate);
    float sampleRate() const { return sampleRate_; }

    void reset();
    void refresh();

    // Normalised values 0..1.
    void setHighPassState(float v);
    void setHighPassSlope(float v);
    void setHighPassFrequency(float v);
    void setLowPassState(float v);
    void setLowPassSlope(float v);
    void setLowPassFrequency(float v);

    float highPassState() const { return hpState_; }
    float highPassSlope() const { return hpSlope_; }
    float highPassFrequency() const { return hpFrequency_; }
    float lowPassState() const { return lpState_; }
    float lowPassSlope() const { return lpSlope_; }
    float lowPassFrequency() const { return lpFrequency_; }
    float highPassHz() const { return hpHz_; }
    float lowPassHz() const { return lpHz_; }

    // Filters channels 0 and 1 of `in` into channels 0 and 1 of `out` (the same array for in place).
    void process(float* const* in, float* const* out, int frames) noexcept;

    const FilterSection& section(int index) const { return sections_[static_cast<std::size_t>(index)]; }

private:
    // Section roles; the right channel's section is the left one's + 2.
    static constexpr int kHighPass1 = 0;
    static constexpr int kHighPass2 = 1;
    static constexpr int kLowPass1 = 4;
    static constexpr int kLowPass2 = 5;
    static constexpr int kRight = 2;

    FilterSection& at(int index) { return sections_[static_cast<std::size_t>(index)]; }
    void enablePair(int leftIndex, bool enabled);
    void shapePair(int leftIndex, FilterType type, double hz, double q);
    void clearHistoryIfAsked() noexcept;

    std::array<FilterSection, kSectionCount> sections_{};
    Relaxed<float> sampleRate_{44100.0f};

    Relaxed<float> hpState_{1.0f}, hpSlope_{0.0f}, hpFrequency_{0.0f};
    Relaxed<float> lpState_{1.0f}, lpSlope_{0.0f}, lpFrequency_{1.0f};
    Relaxed<int> hpOn_{1}, hpSteep_{0}, lpOn_{1}, lpSteep_{0};
    Relaxed<float> hpHz_{20.0f}, lpHz_{30000.0f};

    std::atomic<bool> resetPending_{false};
    // Audio thread only. 128 floats each, of which a chunk uses kChunkFrames.
    std::array<float, 128> left_{};
    std::array<float, 128> right_{};
};

}  // namespace velunor
