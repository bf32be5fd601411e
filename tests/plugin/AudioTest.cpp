// The audio path through the binary interface: pass-through, trim, mono routing.

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "tests/plugin/PluginFixture.h"

namespace velunor::testing {
namespace {

class Audio : public PluginTest {
protected:
    // A 1 kHz sine at 44.1 kHz on both channels (the right one a quarter period later).
    void SetUp() override {
        PluginTest::SetUp();
        for (std::size_t n = 0; n < inL.size(); ++n) {
            const double phase = 2.0 * std::numbers::pi * 1000.0 * static_cast<double>(n) / 44100.0;
            inL[n] = static_cast<float>(0.1 * std::sin(phase));
            inR[n] = static_cast<float>(0.1 * std::cos(phase));
        }
        plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        plugin->dispatch(effSetBlockSize, 0, 512);
    }
    void process(VstInt32 frames) {
        float* ins[2] = {inL.data(), inR.data()};
        float* outs[2] = {outL.data(), outR.data()};
        plugin->processReplacing(ins, outs, frames);
    }
    std::vector<float> inL = std::vector<float>(4410), inR = std::vector<float>(4410);
    std::vector<float> outL = std::vector<float>(4410), outR = std::vector<float>(4410);
};

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

TEST_F(Audio, ProcessOffIsBitExact) {
    plugin->setParameter(1, 1.0f);  // +20 dB, ignored while "Process" is off
    plugin->setParameter(8, 1.0f);
    plugin->dispatch(effMainsChanged, 0, 1);
    inL[10] = 1e-42f;  // a denormal goes through untouched
    process(4410);
    EXPECT_TRUE(sameBits(outL, inL));
    EXPECT_TRUE(sameBits(outR, inR));
}

TEST_F(Audio, TwentyDecibelTrimIsExactlyTenfold) {
    plugin->setParameter(0, 1.0f);
    plugin->setParameter(8, 0.0f);
    plugin->setParameter(1, 1.0f);
    plugin->dispatch(effMainsChanged, 0, 1);
    process(4410);
    double in = 0.0, out = 0.0;
    for (std::size_t n = 0; n < outL.size(); ++n) {
        ASSERT_EQ(outL[n], 10.0f * inL[n]) << n;
        ASSERT_EQ(outR[n], inR[n] * 10.0f) << n;
        in += static_cast<double>(inL[n]) * inL[n];
        out += static_cast<double>(outL[n]) * outL[n];
    }
    EXPECT_NEAR(10.0 * std::log10(out / in), 20.0, 0.01);
}

TEST_F(Audio, TrimRampsAfterAChangeAndSnapsOnTheNextResume) {
    plugin->setParameter(0, 1.0f);
    plugin->dispatch(effMainsChanged, 0, 1);
    std::fill(inL.begin(), inL.end(), 0.5f);
    process(4410);
    EXPECT_EQ(outL.back(), 0.5f);
    plugin->setParameter(1, 0.0f);  // -20 dB
    process(4410);
    EXPECT_LT(outL[0], 0.5f);
    EXPECT_GT(outL[0], 0.49f);  // a step of 0.05 % of the way, not a jump
    for (std::size_t n = 1; n < outL.size(); ++n) ASSERT_LE(outL[n], outL[n - 1]);
    EXPECT_GT(outL.back(), 0.05f);
    plugin->dispatch(effMainsChanged, 0, 0);
    plugin->dispatch(effMainsChanged, 0, 1);
    process(4410);
    for (float x : outL) ASSERT_FLOAT_EQ(x, 0.05f);
}

TEST_F(Audio, MonoInputReachesBothOutputs) {
    // Speaker arrangement 1 in / 2 out.
    ASSERT_TRUE(plugin->setSpeakerArrangement(1, 2));
    plugin->dispatch(effMainsChanged, 0, 1);
    process(512);
    EXPECT_TRUE(std::equal(inL.begin(), inL.begin() + 512, outL.begin()));
    EXPECT_TRUE(std::equal(inL.begin(), inL.begin() + 512, outR.begin()));

    // Or the host says the second input is not connected.
    ASSERT_TRUE(plugin->setSpeakerArrangement(2, 2));
    plugin->host().secondInputConnected = false;
    std::fill(outR.begin(), outR.end(), 0.0f);
    process(512);
    EXPECT_TRUE(std::equal(inL.begin(), inL.begin() + 512, outR.begin()));
    plugin->host().secondInputConnected = true;
    process(512);
    EXPECT_TRUE(std::equal(inR.begin(), inR.begin() + 512, outR.begin()));
}

TEST_F(Audio, OddBlockSizesAndEmptyBlocks) {
    plugin->setParameter(0, 1.0f);
    plugin->setParameter(8, 1.0f);
    plugin->setParameter(11, 0.5f);
    plugin->dispatch(effMainsChanged, 0, 1);
    std::vector<float> whole;
    {
        process(1001);
        whole.assign(outL.begin(), outL.begin() + 1001);
    }
    plugin->dispatch(effMainsChanged, 0, 0);
    plugin->dispatch(effMainsChanged, 0, 1);
    // The same signal in blocks of 1, 3, 0 and 997 frames gives the same samples.
    std::vector<float> pieces;
    std::size_t done = 0;
    for (VstInt32 frames : {1, 3, 0, 997}) {
        float* ins[2] = {inL.data() + done, inR.data() + done};
        float* outs[2] = {outL.data() + done, outR.data() + done};
        plugin->processReplacing(ins, outs, frames);
        done += static_cast<std::size_t>(frames);
    }
    pieces.assign(outL.begin(), outL.begin() + 1001);
    EXPECT_EQ(pieces, whole);
}

}  // namespace
}  // namespace velunor::testing
