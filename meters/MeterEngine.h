#pragma once
// What the three meter engines share: their settings and calibration stores, the PRECISE stage,
// mid/side, the over detector, the peak hold, the display history behind LagTime and the values
// handed to the front panel. Each engine adds only its detector (VUmeter, PPMmeter, RMSMeter).
//
// Threads: process, prepare and suspend run on the audio side (the host never runs them at once);
// setParameter and the LR/MS, Hold and LagTime setters on whatever thread sets parameters;
// readDisplayValue, pollOver, syncCalibration and the held-value accessors on the editor thread.
// Everything one of them writes and another reads is a Relaxed value.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <memory>
#include <span>
#include <utility>

#include "core/Relaxed.h"
#include "host/VstAbi.h"
#include "meters/BlockLoopBuild.h"
#include "meters/CalibrationStores.h"
#include "meters/ChannelPair.h"
#include "meters/EngineOwner.h"
#include "meters/MeterSettings.h"
#include "meters/TinyFlush.h"
#include "meters/TruePeakDetector.h"

namespace velunor {

// The values a front panel reads. Level is the VU needle or the PPM/RMS peak.
enum class MeterValue { Level, Held, MeanSquare };

class MeterEngine {
public:
    static constexpr int kHistoryTicks = 1001;
    static constexpr int kMaxLagMs = 999;
    static constexpr int kOverTimerTicks = 30;

    MeterEngine(const MeterEngine&) = delete;
    MeterEngine& operator=(const MeterEngine&) = delete;
    virtual ~MeterEngine();

    // --- settings ---
    // Converts the value and files it into the store of the current calibration mode. An index the
    // engine does not own changes nothing; a value outside 0..1 is clamped, a non-finite one taken
    // as the default.
    virtual void setParameter(VstInt32 index, float value);
    // The last value received; 0 for an index the engine does not own.
    virtual float getParameter(VstInt32 index) const;
    // The back panel's text; an empty text for indices without one.
    virtual void getParameterDisplay(VstInt32 index, char* text, std::size_t size) const;

    MeterType meterType() const { return meter_; }
    bool ownsParameter(VstInt32 index) const;

    void setCalibrationMode(float value);
    int calibrationMode() const { return calibrationMode_; }
    void syncCalibration();
    // This meter type's Global store to the settings store: one write transaction.
    bool saveGlobalCalibration() const;

    // --- values the effect writes ---
    void setLrMs(float value);
    void setHold(float value);
    void setLagTime(float value);
    float lrMsValue() const { return lrMsValue_; }
    int midSide() const { return midSide_; }
    float holdValue() const { return holdValue_; }
    int holdMode() const { return holdMode_; }
    float lagTimeValue() const { return lagTimeValue_; }
    int lagMs() const { return lagMs_; }

    // --- audio side ---
    void setSampleRate(float rate) { sampleRate_ = rate; }
    float sampleRate() const { return sampleRate_; }
    // After setSampleRate: history cleared, coefficients for the rate, detectors at rest.
    virtual void prepare() = 0;
    // The rest state of the effect's suspend.
    virtual void suspend() = 0;
    // Measures in[0] and in[1] (a missing second channel reads the first); writes no audio.
    virtual void process(float** in, float** out, VstInt32 frames) = 0;

    // --- editor side ---
    // The value to draw: the delayed history entry with LagTime set, otherwise the value now,
    // glided from the block start while it falls. blend is the editor's block phase.
    double readDisplayValue(double blend, MeterValue which, int channel);
    // 1 bright, 0 dim (an over was shown since the last reset), -1 dark.
    double pollOver(int channel);
    // Index 67: latched overs off, infinite-hold maxima forgotten.
    void reset();
    double heldShown(int channel) const { return heldShown_[ch(channel)]; }
    void setHeldShown(int channel, double value) { heldShown_[ch(channel)] = value; }
    double heldMax(int channel) const { return heldMax_[ch(channel)]; }
    void setHeldMax(int channel, double value) { heldMax_[ch(channel)] = value; }

    // The measured values as the audio thread last wrote them.
    double value(MeterValue which, int channel) const { return current(which)[ch(channel)]; }
    double valueAtBlockStart(MeterValue which, int channel) const { return blockStart(which)[ch(channel)]; }
    double overCount(int channel) const { return overCount_[ch(channel)]; }
    double oversNeeded() const { return overNeeded_; }
    double gain() const { return gain_; }
    int holdCount(int channel) const { return holdCount_[ch(channel)]; }
    int samplesPerTick() const { return samplesPerTick_; }

protected:
    using ChannelValues = std::array<Relaxed<double>, 2>;

    MeterEngine(EngineOwner& owner, MeterType meter, bool hasMeanSquare);

    // The derived constructor calls this once its own members exist: the settings of the
    // process-wide last calibration mode, then prepare.
    void loadSettingsAndPrepare();
    // Turns a received (sanitised) value into the engine's working values.
    virtual void applySetting(const MeterSetting& setting, float value) = 0;

    // The common part of prepare: history cleared, tick length from the rate.
    void prepareCore();
    // The quasi-peak meters' rest state: levels, holds and mean squares at 0, no over counted.
    void resetDetectorState();

    // The measuring state of both channels, side by side. A block keeps it in registers and
    // writes it back to the shared values at its end and before every history tick; only the
    // audio thread writes these values, and the editor reads them per block.
    struct BlockState {
        ChannelPair level, held, meanSquare, overCount;
        // Whole numbers, exact in a double (and in a float: no hold reaches 2^24 samples).
        ChannelPair holdCount;

        // On an over sample the count goes up; on any other it restarts only while it is below
        // the number needed, so that a reached count waits to be consumed.
        void countOver(ChannelMask over, ChannelPair needed) {
            const ChannelPair others = select(needed > overCount, ChannelPair::both(0.0), overCount);
            overCount = select(over, overCount + ChannelPair::both(1.0), others);
        }
        // Stops at the hold length: the held level falls from then on, and the count never
        // overflows. Adding 0 leaves a count as it is (it is never -0).
        void advanceHoldCount(ChannelPair holdLength) {
            holdCount = holdCount + maskedBy(holdCount < holdLength, ChannelPair::both(1.0));
        }
        // The PPM and RMS marker: rises above the held level, falls with `decay` after the hold
        // length.
        template <typename Flush>
        [[gnu::always_inline]] void holdPeak(ChannelPair peak, ChannelPair decay, ChannelPair holdLength, Flush& flush) {
            const ChannelMask rises = peak > held;
            held = flush(heldAfter(rises, peak, decay, holdLength));
            holdCount = holdCount.zeroWhere(rises);
            advanceHoldCount(holdLength);
        }
        // The marker after one sample, before any flush: where it `rises` it takes the new level
        // with a count restarted at 0, elsewhere it keeps its own with its count. Either falls
        // with `decay` once the count has reached the hold length; before that the decay is 0,
        // and x - x * 0 is x exactly (neither is ever -0). Both cases are worked out and one is
        // taken, so that the held level's recursion waits only for its compare, not for the
        // count it restarts and the count's own compare after it. x - x * d is x + (0 - x) * d
        // bit for bit (0 - x is -x exactly, and rounding is symmetric in sign).
        [[gnu::always_inline]] ChannelPair heldAfter(ChannelMask rises, ChannelPair newLevel, ChannelPair decay,
                                                     ChannelPair holdLength) const {
            const ChannelPair keptFalling = maskedBy(holdCount >= holdLength, decay);
            const ChannelPair risenFalling = maskedBy(ChannelPair::both(0.0) >= holdLength, decay);
            return select(rises, newLevel - newLevel * risenFalling, held - held * keptFalling);
        }
    };

    // The per-sample skeleton. Engine::blockDetector() gives, once per block, an object with the
    // block's coefficients: measure(state, t, forcedOver) runs both channels' over test, detector
    // and hold, finish() ends the block.
    // kLanes: the doubles in one of the vectors the build checks its records with (TinyFlush.h).
    template <int kLanes, typename Engine>
    [[gnu::always_inline]] inline void runBlock(Engine& engine, float** in, VstInt32 frames);
    // Runs the block in the build of runBlock that blockLoopBuild() names.
    template <typename Engine>
    static void measureBlock(Engine& engine, float** in, VstInt32 frames);
    template <typename Engine>
    friend struct BlockLoopBuilds;

    static std::size_t ch(int channel) { return channel == 1 ? 1u : 0u; }
    ChannelValues& current(MeterValue which);
    const ChannelValues& current(MeterValue which) const;
    const ChannelValues& blockStart(MeterValue which) const;

    void requestPreciseClear() { truePeak_.requestClear(); }
    void setOversNeeded(double n) { overNeeded_ = n; }
    void setGain(double gain) { gain_ = gain; }
    void setMidAtten(int position) { midAtten_ = position; }
    void setPrecise(bool on) { precise_ = on; }

    ChannelValues level_{}, levelAtBlockStart_{};
    ChannelValues held_{}, heldAtBlockStart_{};
    ChannelValues meanSquare_{}, meanSquareAtBlockStart_{};
    std::array<int, 2> holdCount_{};
    std::array<Relaxed<double>, 2> overCount_{-1.0, -1.0};

private:
    // The place of an owned index among this engine's settings.
    std::size_t positionOf(VstInt32 index) const { return static_cast<std::size_t>(index - settings_.front().index); }
    void file(const MeterSetting& setting, float value);
    void takeOver(CalibrationMode from, bool throughOwner);
    [[gnu::always_inline]] BlockState loadState() const {
        auto pair = [](const ChannelValues& v) { return ChannelPair::of(v[0], v[1]); };
        return {pair(level_), pair(held_), pair(meanSquare_), pair(overCount_),
                ChannelPair::of(holdCount_[0], holdCount_[1])};
    }
    // By value: the loop's own state never has its address taken, so it stays in registers.
    void storeState(BlockState state);
    void historyTick();
    int laneOf(MeterValue which, int channel) const;
    int overLane(int channel) const { return (hasMeanSquare_ ? 6 : 4) + channel; }

    EngineOwner& owner_;
    const MeterType meter_;
    const bool hasMeanSquare_;
    const std::span<const MeterSetting> settings_;

    Relaxed<float> lrMsValue_{0.0f};
    Relaxed<int> midSide_{0};
    Relaxed<int> holdMode_{0};
    Relaxed<float> holdValue_{0.0f};
    Relaxed<int> calibrationMode_{static_cast<int>(CalibrationMode::Session)};
    Relaxed<float> sampleRate_{44100.0f};
    Relaxed<float> lagTimeValue_{0.0f};
    Relaxed<int> lagMs_{0};

    // The display history: lanes of kHistoryTicks entries, one tick about a millisecond.
    Relaxed<int> historyWrite_{0};
    Relaxed<int> historyRead_{0};
    int samplesPerTick_ = 44;
    int tickCount_ = 0;
    std::unique_ptr<Relaxed<double>[]> lanes_;
    int laneCount_;
    std::array<double, 2> overTimer_{};

    // The values a span ran through with the tiny-value flush deferred (TinyFlush.h), and the
    // blocks still to run with it in place since a deferred run missed.
    static constexpr int kMaxSpan = 256;
    static constexpr int kMaxFlushesPerSample = 3;
    static constexpr int kExactBlocksAfterFlush = 8;
    alignas(64) std::array<double, kMaxSpan * kMaxFlushesPerSample * 2 + 7> flushRecords_{};
    int exactBlocksLeft_ = 0;
    BlockState spanStart_{};

    TruePeakDetector truePeak_;
    // One chunk of both channels widened for the PRECISE stage, and which samples were not finite.
    alignas(64) std::array<double, TruePeakDetector::kChunk> chunkL_{};
    alignas(64) std::array<double, TruePeakDetector::kChunk> chunkR_{};
    std::array<ChannelMask, TruePeakDetector::kChunk> bad_{};
    Relaxed<double> gain_{1.0};
    Relaxed<double> overNeeded_{3.0};
    std::array<Relaxed<bool>, 2> overLatched_{};
    Relaxed<int> midAtten_{1};
    Relaxed<bool> precise_{false};
    std::array<Relaxed<double>, 2> heldShown_{};
    std::array<Relaxed<double>, 2> heldMax_{-1.0, -1.0};

    // The settings as last received, and the engine's private store with its valid flag.
    std::array<Relaxed<float>, 10> received_{};
    std::array<Relaxed<float>, 10> instanceStore_{};
    Relaxed<bool> instanceStoreValid_{false};
};

// The builds of one engine's block loop (BlockLoopBuild.h); runBlock is inlined into each.
template <typename Engine>
struct BlockLoopBuilds {
    [[gnu::target("arch=x86-64-v4")]] static void avx512(Engine& e, float** in, VstInt32 frames) {
        e.template runBlock<8>(e, in, frames);
    }
    // AVX compares no integers 256 bits wide: its checks use 128-bit vectors.
    [[gnu::target("avx")]] static void avx(Engine& e, float** in, VstInt32 frames) {
        e.template runBlock<2>(e, in, frames);
    }
    static void baseline(Engine& e, float** in, VstInt32 frames) { e.template runBlock<2>(e, in, frames); }
};

template <typename Engine>
void MeterEngine::measureBlock(Engine& engine, float** in, VstInt32 frames) {
    switch (blockLoopBuild()) {
        case BlockLoopBuild::Avx512: BlockLoopBuilds<Engine>::avx512(engine, in, frames); break;
        case BlockLoopBuild::Avx: BlockLoopBuilds<Engine>::avx(engine, in, frames); break;
        case BlockLoopBuild::Baseline: BlockLoopBuilds<Engine>::baseline(engine, in, frames); break;
    }
}

template <int kLanes, typename Engine>
void MeterEngine::runBlock(Engine& engine, float** in, VstInt32 frames) {
    for (std::size_t c = 0; c < 2; ++c) {
        levelAtBlockStart_[c] = level_[c].load();
        heldAtBlockStart_[c] = held_[c].load();
        meanSquareAtBlockStart_[c] = meanSquare_[c].load();
    }
    if (!in || !in[0] || frames <= 0) return;
    const float* left = in[0];
    const float* right = in[1] ? in[1] : in[0];

    const bool precise = precise_;
    const bool midSide = midSide_ != 0;
    const int midAtten = midAtten_;
    // M3 the single-precision 0.708, M6 a half; M0 multiplies by 1, which changes nothing.
    const ChannelPair midGain = ChannelPair::both(midAtten == 1 ? 0.7080000042915344 : midAtten == 2 ? 0.5 : 1.0);
    const ChannelPair gainPair = ChannelPair::both(gain_);
    const bool lag = lagMs_ != 0;
    if (precise) truePeak_.beginBlock(sampleRate_);

    auto detector = engine.blockDetector();
    using Detector = decltype(detector);
    static_assert(Detector::kFlushesPerSample <= kMaxFlushesPerSample);
    BlockState state = loadState();
    // Inlined into the loops below: called, it would keep the state in memory.
    auto measure = [&](ChannelPair lr, ChannelMask bad, auto& flush) __attribute__((always_inline)) {
        ChannelPair ab = lr;
        if (midSide) {
            // Mid (l + r, attenuated) and side (l - r); r + l is l + r exactly.
            const ChannelPair rl = lr.swapped();
            ab = ChannelPair::join((lr + rl) * midGain, lr - rl);
            bad = bad | bad.swapped();
        }
        detector.measure(state, abs(ab) * gainPair, bad, flush);
    };
    // The samples 0 .. count - 1 as sampleAt(n) gives them, (sample pair, not-finite mask), in
    // spans that fit the flush records and, with the history on, end at its ticks, so that a span
    // run again never repeats a tick.
    auto measureSpans = [&](int count, auto sampleAt) __attribute__((always_inline)) {
        for (int from = 0; from < count;) {
            int span = std::min(count - from, kMaxSpan);
            if (lag) span = std::min(span, std::max(1, samplesPerTick_ - tickCount_));
            bool measured = false;
            if constexpr (Detector::kFlushesPerSample > 0) {
                if (exactBlocksLeft_ == 0) {
                    // In memory, not in registers the loop needs: it is read back only on a miss.
                    spanStart_ = state;
                    RecordedTinyFlush recorded(flushRecords_.data());
                    for (int n = from; n < from + span; ++n) {
                        const auto [lr, bad] = sampleAt(n);
                        measure(lr, bad, recorded);
                    }
                    measured = tinyFlushKeepsAll<kLanes>(flushRecords_.data(), recorded.end());
                    if (!measured) {
                        // Values near 0 (a decay into silence) go on flushing for a while: the
                        // next blocks take the plain run straight away.
                        state = spanStart_;
                        exactBlocksLeft_ = kExactBlocksAfterFlush;
                    }
                }
            }
            if (!measured) {
                TinyFlush flush;
                for (int n = from; n < from + span; ++n) {
                    const auto [lr, bad] = sampleAt(n);
                    measure(lr, bad, flush);
                }
            }
            from += span;
            if (lag && (tickCount_ += span) >= samplesPerTick_) {
                storeState(state);
                historyTick();
                state.overCount = ChannelPair::of(overCount_[0], overCount_[1]);
            }
        }
    };
    if (exactBlocksLeft_ > 0) --exactBlocksLeft_;
    // A sample that is not a number is measured as silence and counted as an over: it lights the
    // LED instead of poisoning detectors that nothing ever clears.
    if (precise) {
        for (VstInt32 start = 0; start < frames; start += TruePeakDetector::kChunk) {
            const int count = static_cast<int>(std::min<VstInt32>(TruePeakDetector::kChunk, frames - start));
            for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
                const std::size_t n = static_cast<std::size_t>(start) + i;
                const ChannelPair lr = ChannelPair::of(left[n], right[n]);
                bad_[i] = notFinite(lr);
                const ChannelPair clean = lr.zeroWhere(bad_[i]);
                chunkL_[i] = clean[0];
                chunkR_[i] = clean[1];
            }
            truePeak_.process(chunkL_.data(), chunkR_.data(), count);
            measureSpans(count, [&](int i) __attribute__((always_inline)) {
                const auto k = static_cast<std::size_t>(i);
                return std::pair{ChannelPair::of(chunkL_[k], chunkR_[k]), bad_[k]};
            });
        }
    } else if (allFinite(left, right, frames)) {
        // The usual block: one quick pass over it finds nothing to mask.
        measureSpans(frames, [&](int n) __attribute__((always_inline)) {
            return std::pair{ChannelPair::of(left[n], right[n]), ChannelMask::none()};
        });
    } else {
        measureSpans(frames, [&](int n) __attribute__((always_inline)) {
            const ChannelPair lr = ChannelPair::of(left[n], right[n]);
            const ChannelMask bad = notFinite(lr);
            return std::pair{lr.zeroWhere(bad), bad};
        });
    }
    storeState(state);
    detector.finish();
}

}  // namespace velunor
