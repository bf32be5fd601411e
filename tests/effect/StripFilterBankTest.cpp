#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "strips/StripFilterBank.h"

namespace velunor {
namespace {

// |H(e^jw)| of one section's normalised coefficients.
double magnitude(const FilterCoefficients& c, double hz, double fs) {
    const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * hz / fs);
    const std::complex<double> z2 = z1 * z1;
    return std::abs((c.b0 + c.b1 * z1 + c.b2 * z2) / (1.0 + c.a1 * z1 + c.a2 * z2));
}

std::vector<float> noise(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> d(-1.0f, 1.0f);
    std::vector<float> v(n);
    for (float& x : v) x = d(random);
    return v;
}

// Runs left/right through the bank in blocks of the given sizes (cycled).
void run(StripFilterBank& bank, std::vector<float>& left, std::vector<float>& right,
         const std::vector<int>& blocks) {
    std::size_t done = 0;
    for (std::size_t b = 0; done < left.size(); ++b) {
        const int n = std::min<int>(blocks[b % blocks.size()], static_cast<int>(left.size() - done));
        float* channels[2] = {left.data() + done, right.data() + done};
        bank.process(channels, channels, n);
        done += static_cast<std::size_t>(n);
    }
}

void steepest(StripFilterBank& bank) {
    bank.setHighPassSlope(1.0f);
    bank.setLowPassSlope(1.0f);
}

struct CoefficientCase {
    const char* what;
    float hpFrequency, lpFrequency;
    int section;
    FilterCoefficients expected;  // a0 not compared
};

TEST(StripFilterBank, CoefficientsMatchThePublishedFigures) {
    const CoefficientCase cases[] = {
        {"high-pass 200 Hz, stage 1", 0.5f, 1.0f, 0,
         {0.0, -1.943806477, 0.944595905, 0.972100595, -1.944201191, 0.972100595}},
        {"high-pass 200 Hz, stage 2 at 140 Hz", 0.5f, 1.0f, 1,
         {0.0, -1.960499402, 0.960889476, 0.98034722, -2.0 * 0.98034722, 0.98034722}},
        {"low-pass 3 kHz, first order", 0.0f, 0.5f, 4, {0.0, -0.65634817, 0.0, 0.34365183, 0.0, 0.0}},
        {"low-pass 3 kHz, stage 2 at 4.2 kHz", 0.0f, 0.5f, 5,
         {0.0, -1.130132604, 0.367803884, 0.05941782, 0.11883564, 0.05941782}},
    };
    for (const CoefficientCase& c : cases) {
        StripFilterBank bank;
        steepest(bank);
        bank.setHighPassFrequency(c.hpFrequency);
        bank.setLowPassFrequency(c.lpFrequency);
        for (int right : {0, 2}) {
            const FilterCoefficients got = bank.section(c.section + right).coefficients();
            EXPECT_NEAR(got.b0, c.expected.b0, 5e-9) << c.what;
            EXPECT_NEAR(got.b1, c.expected.b1, 5e-9) << c.what;
            EXPECT_NEAR(got.b2, c.expected.b2, 5e-9) << c.what;
            EXPECT_NEAR(got.a1, c.expected.a1, 5e-9) << c.what;
            EXPECT_NEAR(got.a2, c.expected.a2, 5e-9) << c.what;
        }
    }
    StripFilterBank bank;
    steepest(bank);
    bank.setHighPassFrequency(0.5f);
    bank.setLowPassFrequency(0.5f);
    EXPECT_NEAR(bank.section(5).q(), 0.6094, 5e-5);
    EXPECT_DOUBLE_EQ(bank.section(1).frequencyHz(), 140.0);
}

TEST(StripFilterBank, DefaultsAndTheStagesEachSettingEnables) {
    StripFilterBank bank;
    EXPECT_EQ(bank.sampleRate(), 44100.0f);
    EXPECT_EQ(bank.highPassHz(), 20.0f);
    EXPECT_EQ(bank.lowPassHz(), 30000.0f);
    auto enabled = [&] {
        std::vector<bool> e;
        for (int i = 0; i < StripFilterBank::kSectionCount; ++i) e.push_back(bank.section(i).enabled());
        return e;
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, false, true, false, true, false}));
    steepest(bank);
    EXPECT_EQ(enabled(), std::vector<bool>(8, true));
    bank.setHighPassState(0.0f);
    bank.setLowPassState(0.49f);
    EXPECT_EQ(enabled(), std::vector<bool>(8, false));
    bank.setHighPassState(0.5f);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, false, false, false, false}));
    // Values beyond the controls' range stay inside the frequency ranges; NaN reads as the bottom.
    bank.setHighPassFrequency(3.0f);
    bank.setLowPassFrequency(-1.0f);
    EXPECT_EQ(bank.highPassHz(), 2000.0f);
    EXPECT_EQ(bank.lowPassHz(), 300.0f);
    bank.setHighPassFrequency(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(bank.highPassHz(), 20.0f);
}

TEST(StripFilterBank, TopLowPassSettingIsDesignedBelowNyquistWithReducedQ) {
    StripFilterBank bank;
    steepest(bank);
    const FilterSection& stage2 = bank.section(5);
    EXPECT_DOUBLE_EQ(stage2.frequencyHz(), 42000.0);
    const double qLowPass = std::log10(600000.0 / 30000.0) * 0.091 + 0.4;
    EXPECT_DOUBLE_EQ(stage2.q(), qLowPass);
    // Designed at 0.499 fs with the Q lowered to 1.6 % of qLP.
    const double f = 0.499 * 44100.0;
    const double reducedQ = (1.0 - std::pow(f / (0.50001 * 44100.0), 8.0)) * qLowPass;
    EXPECT_NEAR(reducedQ / qLowPass, 0.016, 0.001);
    const FilterCoefficients expected = designFilter(44100.0, FilterType::LowPass2, f, qLowPass, true);
    EXPECT_DOUBLE_EQ(stage2.coefficients().a1, expected.a1);
    EXPECT_DOUBLE_EQ(stage2.coefficients().b0, expected.b0);
    EXPECT_TRUE(std::isfinite(stage2.coefficients().a2));
}

TEST(StripFilterBank, HigherLowPassSettingNeverFiltersMore) {
    // A first-order design above Nyquist would mirror: 30 kHz at 44.1 kHz would cut more than 15 kHz.
    for (float fs : {44100.0f, 32000.0f}) {
        StripFilterBank bank;
        bank.setSampleRate(fs);
        double previous = 0.0;
        for (float v = 0.70f; v <= 1.0001f; v += 0.05f) {
            bank.setLowPassFrequency(std::min(v, 1.0f));
            const double gain = magnitude(bank.section(4).coefficients(), 8000.0, fs);
            EXPECT_GE(gain, previous - 1e-12) << "setting " << v << " at " << fs;
            previous = gain;
        }
    }
}

TEST(StripFilterBank, DesignsAtTheRealHostRate) {
    // "200 Hz" is 200 Hz at every rate: a second-order high-pass with Q 0.5 passes half the
    // amplitude at its corner.
    for (float fs : {22050.0f, 32000.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f}) {
        StripFilterBank bank;
        bank.setSampleRate(fs);
        bank.setHighPassFrequency(0.5f);
        EXPECT_EQ(bank.sampleRate(), fs);
        EXPECT_NEAR(magnitude(bank.section(0).coefficients(), 200.0, fs), 0.5, 1e-3) << fs;
    }
    StripFilterBank low;
    low.setSampleRate(16000.0f);
    EXPECT_EQ(low.sampleRate(), 44100.0f);
    StripFilterBank high;
    high.setSampleRate(384000.0f);
    EXPECT_EQ(high.sampleRate(), 192000.0f);
    StripFilterBank bad;
    bad.setSampleRate(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(bad.sampleRate(), 44100.0f);
}

TEST(StripFilterBank, BothFiltersOutPassTheSignalExactly) {
    StripFilterBank bank;
    bank.setHighPassState(0.0f);
    bank.setLowPassState(0.0f);
    std::vector<float> left = noise(300, 1), right = noise(300, 2);
    left[7] = 1e-40f;  // a denormal stays as it is
    const std::vector<float> l0 = left, r0 = right;
    run(bank, left, right, {300});
    EXPECT_EQ(left, l0);
    EXPECT_EQ(right, r0);
}

TEST(StripFilterBank, ResultDoesNotDependOnTheBlockSizes) {
    const std::vector<float> l0 = noise(1000, 3), r0 = noise(1000, 4);
    std::vector<std::vector<float>> results;
    for (const std::vector<int>& blocks : std::vector<std::vector<int>>{{1000}, {200}, {1}, {7, 64, 65, 3}}) {
        StripFilterBank bank;
        steepest(bank);
        bank.setHighPassFrequency(0.4f);
        bank.setLowPassFrequency(0.3f);
        std::vector<float> left = l0, right = r0;
        run(bank, left, right, blocks);
        EXPECT_NE(left, l0);
        left.insert(left.end(), right.begin(), right.end());
        results.push_back(left);
    }
    for (std::size_t i = 1; i < results.size(); ++i) EXPECT_EQ(results[i], results[0]) << "blocking " << i;
}

TEST(StripFilterBank, ChannelsAreFilteredIndependently) {
    StripFilterBank bank;
    steepest(bank);
    bank.setHighPassFrequency(0.5f);
    std::vector<float> left = noise(256, 5), right(256, 0.0f);
    run(bank, left, right, {256});
    for (float x : right) ASSERT_EQ(x, 0.0f);
}

TEST(StripFilterBank, NonFiniteInputClearsTheHistoryAndTheStripRecovers) {
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        StripFilterBank bank;
        steepest(bank);
        bank.setHighPassFrequency(0.5f);
        bank.setLowPassFrequency(0.5f);
        std::vector<float> left = noise(512, 6), right = noise(512, 7);
        const std::vector<float> cleanRight = [&] {
            StripFilterBank reference;
            steepest(reference);
            reference.setHighPassFrequency(0.5f);
            reference.setLowPassFrequency(0.5f);
            std::vector<float> l = noise(512, 6), r = noise(512, 7);
            run(reference, l, r, {512});
            return r;
        }();
        left[100] = bad;
        run(bank, left, right, {512});
        EXPECT_FALSE(std::isfinite(left[100]));
        for (std::size_t n = 101; n < left.size(); ++n) ASSERT_TRUE(std::isfinite(left[n])) << n;
        EXPECT_EQ(right, cleanRight);  // the other channel never saw it
    }
}

TEST(StripFilterBank, ResetStartsFromSilenceAgain) {
    auto impulseResponse = [](StripFilterBank& bank) {
        std::vector<float> left(200, 0.0f), right(200, 0.0f);
        left[0] = right[0] = 1.0f;
        run(bank, left, right, {200});
        return left;
    };
    StripFilterBank fresh;
    steepest(fresh);
    fresh.setLowPassFrequency(0.2f);
    const std::vector<float> expected = impulseResponse(fresh);

    StripFilterBank used;
    steepest(used);
    used.setLowPassFrequency(0.2f);
    std::vector<float> left = noise(300, 8), right = noise(300, 9);
    run(used, left, right, {300});
    EXPECT_NE(impulseResponse(used), expected);
    used.reset();
    EXPECT_EQ(impulseResponse(used), expected);
}

}  // namespace
}  // namespace velunor
