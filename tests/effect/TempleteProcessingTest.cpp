#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "core/EditorFactory.h"
#include "effect/Templete.h"
#include "strips/StripFilterBank.h"
#include "tests/effect/TestHost.h"

namespace velunor {
namespace {

using testing::testHost;
using testing::testHostCallback;

// Two input and two output channels of `frames` samples.
struct Buffers {
    explicit Buffers(std::size_t frames, unsigned seed = 1) : inL(frames), inR(frames), outL(frames, -7.0f), outR(frames, -7.0f) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> d(-1.0f, 1.0f);
        for (std::size_t i = 0; i < frames; ++i) {
            inL[i] = d(random);
            inR[i] = d(random);
        }
    }
    float** inputs() { ins[0] = inL.data(); ins[1] = inR.data(); return ins; }
    float** outputs() { outs[0] = outL.data(); outs[1] = outR.data(); return outs; }
    VstInt32 frames() const { return static_cast<VstInt32>(inL.size()); }
    std::vector<float> inL, inR, outL, outR;
    float* ins[2] = {};
    float* outs[2] = {};
};

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class TempleteProcessing : public ::testing::Test {
protected:
    void SetUp() override { testHost() = {}; }
    Templete effect{&testHostCallback};
};

std::vector<float> awkwardSamples() {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    float payloadNan;
    const std::uint32_t bits = 0x7fc12345u;
    std::memcpy(&payloadNan, &bits, sizeof bits);
    return {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(), -1e-40f, 1e-38f, nan, payloadNan,
            std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(), 3.4e38f, 0.25f};
}

TEST_F(TempleteProcessing, ProcessOffIsBitExactWhateverTrimAndFiltersSay) {
    effect.setParameter(kTrim, 1.0f);
    effect.setParameter(kFiltersIn, 1.0f);
    effect.setParameter(kHighPassFrequency, 1.0f);
    effect.resume();
    Buffers b(203);
    const std::vector<float> odd = awkwardSamples();
    std::copy(odd.begin(), odd.end(), b.inL.begin() + 50);
    std::copy(odd.rbegin(), odd.rend(), b.inR.begin() + 100);
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_TRUE(sameBits(b.outL, b.inL));
    EXPECT_TRUE(sameBits(b.outR, b.inR));

    // In place, as many hosts do it.
    const std::vector<float> l = b.inL, r = b.inR;
    effect.processReplacing(b.inputs(), b.inputs(), b.frames());
    EXPECT_TRUE(sameBits(b.inL, l));
    EXPECT_TRUE(sameBits(b.inR, r));
}

TEST_F(TempleteProcessing, ZeroDecibelTrimWithFiltersOutIsBitExact) {
    effect.setParameter(kProcess, 1.0f);
    effect.resume();
    Buffers b(300);
    b.inL[3] = std::numeric_limits<float>::denorm_min();
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_TRUE(sameBits(b.outL, b.inL));
    EXPECT_TRUE(sameBits(b.outR, b.inR));
}

TEST_F(TempleteProcessing, TrimRampsSampleBySampleAndSnapsOnResume) {
    effect.setParameter(kProcess, 1.0f);
    effect.resume();
    Buffers b(4000);
    std::fill(b.inL.begin(), b.inL.end(), 1.0f);
    std::fill(b.inR.begin(), b.inR.end(), -1.0f);
    effect.setParameter(kTrim, 1.0f);
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_FLOAT_EQ(b.outL[0], 1.0f + 9.0f * 0.0005f);
    for (std::size_t n = 1; n < b.outL.size(); ++n) {
        ASSERT_GT(b.outL[n], b.outL[n - 1]) << n;
        ASSERT_EQ(b.outR[n], -b.outL[n]) << n;
    }
    // One time constant is about 2000 samples at 44.1 kHz.
    EXPECT_NEAR(b.outL[1999], 1.0f + 9.0f * (1.0f - std::exp(-1.0f)), 0.01f);
    EXPECT_LT(b.outL.back(), 10.0f);

    effect.suspend();
    effect.resume();
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    for (float x : b.outL) ASSERT_EQ(x, 10.0f);
    EXPECT_EQ(effect.currentTrimGain(), 10.0f);
}

TEST_F(TempleteProcessing, SmoothingFollowsTheRateAndRatesOutOfRangeCountAs44100) {
    struct Case {
        float hostRate, coefficient, filterRate;
    };
    const Case cases[] = {
        {44100.0f, 0.0005f, 44100.0f},   {88200.0f, 0.00025f, 88200.0f}, {22050.0f, 0.001f, 22050.0f},
        {16000.0f, 0.0005f, 44100.0f},   {250000.0f, 0.0005f, 44100.0f}, {200000.0f, 0.0005f * 44100.0f / 200000.0f, 192000.0f},
        {0.0f, 0.0005f, 44100.0f},       {std::numeric_limits<float>::quiet_NaN(), 0.0005f, 44100.0f},
    };
    for (const Case& c : cases) {
        Templete t(&testHostCallback);
        t.setSampleRate(c.hostRate);
        t.setParameter(kProcess, 1.0f);
        t.resume();
        t.setParameter(kTrim, 1.0f);
        Buffers b(2);
        b.inL = {1.0f, 1.0f};
        t.processReplacing(b.inputs(), b.outputs(), 1);
        EXPECT_FLOAT_EQ(b.outL[0], 1.0f + 9.0f * c.coefficient) << c.hostRate;
        EXPECT_EQ(t.filterBank().sampleRate(), c.filterRate) << c.hostRate;
    }
}

TEST_F(TempleteProcessing, MonoInputFeedsBothOutputs) {
    enum class Mono { Arrangement, PinNotConnected, NullBuffer, SameBuffer };
    for (Mono how : {Mono::Arrangement, Mono::PinNotConnected, Mono::NullBuffer, Mono::SameBuffer}) {
        for (float process : {0.0f, 1.0f}) {
            testHost() = {};
            Templete t(&testHostCallback);
            t.setParameter(kProcess, process);
            Buffers b(64);
            float** in = b.inputs();
            if (how == Mono::Arrangement) {
                VstSpeakerArrangement one{}, two{};
                one.numChannels = 1;
                two.numChannels = 2;
                ASSERT_TRUE(t.setSpeakerArrangement(&one, &two));
            }
            if (how == Mono::PinNotConnected) testHost().secondInputConnected = false;
            if (how == Mono::NullBuffer) in[1] = nullptr;
            if (how == Mono::SameBuffer) in[1] = in[0];
            t.resume();
            t.processReplacing(in, b.outputs(), b.frames());
            EXPECT_TRUE(sameBits(b.outL, b.inL)) << static_cast<int>(how);
            EXPECT_TRUE(sameBits(b.outR, b.inL)) << static_cast<int>(how);
        }
    }
}

TEST_F(TempleteProcessing, SingleUsableOutputHoldsTheRightChannel) {
    for (int how = 0; how < 3; ++how) {
        testHost() = {};
        Templete t(&testHostCallback);
        Buffers b(32);
        float** out = b.outputs();
        if (how == 0) testHost().secondOutputConnected = false;
        if (how == 1) out[1] = nullptr;
        if (how == 2) out[1] = out[0];
        t.processReplacing(b.inputs(), out, b.frames());
        EXPECT_TRUE(sameBits(b.outL, b.inR)) << how;
        if (how != 2) {
            EXPECT_EQ(b.outR, std::vector<float>(32, -7.0f)) << how;
        }
    }
}

TEST_F(TempleteProcessing, SpeakerArrangements) {
    struct Case {
        int ins, outs;
        bool answer, second_in, second_out;
    };
    const Case cases[] = {{1, 1, true, false, false}, {1, 2, true, false, true}, {2, 2, true, true, true},
                          {2, 1, false, true, true},  {0, 2, false, true, true}, {8, 8, false, true, true}};
    for (const Case& c : cases) {
        Templete t(&testHostCallback);
        VstSpeakerArrangement in{}, out{};
        in.numChannels = c.ins;
        out.numChannels = c.outs;
        EXPECT_EQ(t.setSpeakerArrangement(&in, &out), c.answer) << c.ins << "/" << c.outs;
        EXPECT_EQ(t.usesSecondInput(), c.second_in);
        EXPECT_EQ(t.usesSecondOutput(), c.second_out);
    }
    Templete t(&testHostCallback);
    VstSpeakerArrangement one{};
    one.numChannels = 1;
    EXPECT_TRUE(t.setSpeakerArrangement(&one, &one));
    EXPECT_FALSE(t.setSpeakerArrangement(nullptr, &one));  // resets to stereo
    EXPECT_TRUE(t.usesSecondInput());
    EXPECT_TRUE(t.usesSecondOutput());
}

TEST_F(TempleteProcessing, BadBlocksAreHarmless) {
    Buffers b(16);
    const int queriesBefore = testHost().pinQueries;
    effect.processReplacing(b.inputs(), b.outputs(), 0);
    effect.processReplacing(b.inputs(), b.outputs(), -5);
    EXPECT_EQ(b.outL, std::vector<float>(16, -7.0f));
    EXPECT_EQ(effect.lastBlockDuration(), 0.0);
    EXPECT_EQ(testHost().pinQueries - queriesBefore, 4);  // input 1 and output 1, every block

    effect.processReplacing(nullptr, b.outputs(), 16);
    effect.processReplacing(b.inputs(), nullptr, 16);
    float* noOutput[2] = {nullptr, b.outR.data()};
    effect.processReplacing(b.inputs(), noOutput, 16);
    EXPECT_EQ(b.outR, std::vector<float>(16, -7.0f));

    // No input buffer: the block is silence.
    float* noInput[2] = {nullptr, nullptr};
    effect.processReplacing(noInput, b.outputs(), 16);
    EXPECT_EQ(b.outL, std::vector<float>(16, 0.0f));
    EXPECT_EQ(b.outR, std::vector<float>(16, 0.0f));
}

TEST_F(TempleteProcessing, FiltersInRunTheBankOnTheTrimmedOutput) {
    effect.setParameter(kProcess, 1.0f);
    effect.setParameter(kFiltersIn, 1.0f);
    effect.setParameter(kHighPassSlope, 1.0f);
    effect.setParameter(kHighPassFrequency, 0.5f);
    effect.setParameter(kLowPassFrequency, 0.5f);
    effect.setSampleRate(48000.0f);
    effect.resume();

    StripFilterBank reference;
    reference.setSampleRate(48000.0f);
    reference.setHighPassSlope(1.0f);
    reference.setHighPassFrequency(0.5f);
    reference.setLowPassFrequency(0.5f);

    Buffers b(777);
    b.inL[300] = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> l = b.inL, r = b.inR;
    float* channels[2] = {l.data(), r.data()};
    reference.process(channels, channels, 777);
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_TRUE(sameBits(b.outL, l));
    EXPECT_TRUE(sameBits(b.outR, r));
    for (std::size_t n = 301; n < b.outL.size(); ++n) ASSERT_TRUE(std::isfinite(b.outL[n])) << n;

    // Filters switched out again: straight through, and from silence when switched back in.
    effect.setParameter(kFiltersIn, 0.0f);
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_TRUE(sameBits(b.outL, b.inL));
}

TEST_F(TempleteProcessing, BlockTimesAndLatency) {
    testHost().outputLatency = 441;
    effect.setSampleRate(44100.0f);
    effect.resume();
    EXPECT_DOUBLE_EQ(effect.hostOutputLatency(), 0.01);
    Buffers b(441);
    effect.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_DOUBLE_EQ(effect.lastBlockDuration(), 0.01);
    EXPECT_EQ(effect.lastBlockTime(), 0.0);  // no editor: never stamped

    testHost().outputLatency = -5;  // nonsense from a host reads as none
    effect.resume();
    EXPECT_EQ(effect.hostOutputLatency(), 0.0);
}

std::uint32_t fixedTick() noexcept { return 2500; }
AEffEditor* plainEditor(AudioEffect* effect) { return new AEffEditor(effect); }

TEST_F(TempleteProcessing, BlocksAreStampedOnlyWhileTheEditorWindowIsOpen) {
    setEditorFactory(&plainEditor);
    Templete t(&testHostCallback);
    setEditorFactory(nullptr);
    setTickSource(&fixedTick);
    Buffers b(10);
    t.blockClock().setEditorWindowOpen(true);
    t.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_DOUBLE_EQ(t.lastBlockTime(), 2.5);
    t.blockClock().setEditorWindowOpen(false);
    t.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_EQ(t.lastBlockTime(), 0.0);

    t.blockClock().setEditorWindowOpen(true);
    t.processReplacing(b.inputs(), b.outputs(), b.frames());
    AEffEditor* editor = t.getEditor();
    t.setEditor(nullptr);
    delete editor;
    EXPECT_FALSE(t.blockClock().editorWindowOpen());
    t.processReplacing(b.inputs(), b.outputs(), b.frames());
    EXPECT_DOUBLE_EQ(t.lastBlockTime(), 2.5);  // unchanged without an editor
    setTickSource(nullptr);
}

}  // namespace
}  // namespace velunor

namespace velunor {
namespace {

// The host may automate on one thread while its audio thread processes: no lock, no torn state
// that breaks the audio (and nothing for ThreadSanitizer to report).
TEST(TempleteThreads, ParameterChangesWhileTheAudioThreadRuns) {
    Templete t(&testing::testHostCallback);
    t.setParameter(kProcess, 1.0f);
    t.setParameter(kFiltersIn, 1.0f);
    t.resume();
    std::atomic<bool> stop{false};
    std::atomic<bool> allFinite{true};
    std::atomic<int> blocks{0};
    std::thread audio([&] {
        Buffers b(256);
        while (!stop.load()) {
            ++blocks;
            t.processReplacing(b.inputs(), b.outputs(), b.frames());
            for (std::size_t n = 0; n < b.outL.size(); ++n)
                if (!std::isfinite(b.outL[n]) || !std::isfinite(b.outR[n])) allFinite = false;
        }
    });
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    std::uniform_int_distribution<VstInt32> index(0, 100);
    for (int i = 0; i < 20000 || blocks.load() < 200; ++i) t.setParameter(index(random), value(random));
    stop = true;
    audio.join();
    EXPECT_TRUE(allFinite);
}

}  // namespace
}  // namespace velunor
