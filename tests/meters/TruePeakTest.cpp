#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <random>

#include "meters/TruePeakDetector.h"

namespace velunor {
namespace {

TEST(InterpolationTables, PhasesAreSymmetricWithUnityGainAtDc) {
    const InterpolationTables& t = interpolationTables();
    for (const auto& phase : t.fourTimes) EXPECT_NEAR(std::accumulate(phase.begin(), phase.end(), 0.0), 1.0, 1e-12);
    EXPECT_NEAR(std::accumulate(t.twoTimes.begin(), t.twoTimes.end(), 0.0), 1.0, 1e-6);
    for (int k = 0; k < 64; ++k) {
        EXPECT_EQ(t.fourTimes[2][k], t.fourTimes[0][63 - k]) << k;
        EXPECT_EQ(t.fourTimes[1][k], t.fourTimes[1][63 - k]) << k;
        EXPECT_EQ(t.twoTimes[k], t.twoTimes[63 - k]) << k;
    }
    EXPECT_EQ(t.twoTimes[31], 0.6357317598066);
}

TEST(InterpolationTables, FourTimesPhasesFollowTheReferenceTaps) {
    const InterpolationTables& t = interpolationTables();
    const double phase1[] = {-0.0580102, 0.0803645, -0.1276698, 0.2996989, 0.9001807, -0.1793862, 0.0988198, -0.0675074};
    const double phase2[] = {-0.0882875, 0.1254161, -0.2110582, 0.6362364, 0.6362364, -0.2110582, 0.1254161, -0.0882875};
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(t.fourTimes[0][28 + i], phase1[i], 3e-4) << 28 + i;
        EXPECT_NEAR(t.fourTimes[1][28 + i], phase2[i], 3e-4) << 28 + i;
    }
    // The window has all but died out at the ends.
    for (const auto& phase : t.fourTimes) {
        EXPECT_LT(std::fabs(phase[0]), 3e-4);
        EXPECT_LT(std::fabs(phase[63]), 3e-4);
    }
}

// The largest magnitude the stage reports for a sine sampled at 45 and 135 degrees.
double measuredPeak(float rate, double hz, bool clearFirst = false) {
    TruePeakDetector stage;
    if (clearFirst) stage.requestClear();
    stage.beginBlock(rate);
    double peak = 0.0;
    for (int n = 0; n < 400; ++n) {
        double x = std::sin(2.0 * std::numbers::pi * hz * n / rate + std::numbers::pi / 4.0);
        double y = x;
        stage.process(&x, &y, 1);
        if (n >= 63) peak = std::max(peak, std::fabs(x));
    }
    return peak;
}

TEST(TruePeakDetector, FindsThePeakBetweenSamples) {
    // A quarter of the rate, sampled at 45 and 135 degrees: every sample is 0.7071, the peak is 1.
    EXPECT_NEAR(measuredPeak(44100.0f, 11025.0), 1.0, 0.01);  // four times
    EXPECT_NEAR(measuredPeak(96000.0f, 24000.0), 1.0, 0.01);  // two times: the half-way point is the top
    EXPECT_NEAR(measuredPeak(192000.0f, 48000.0), std::sqrt(0.5), 1e-6);  // no interpolation up there
}

TEST(TruePeakDetector, AboveTwoTimesRatesItOnlyDelays) {
    TruePeakDetector stage;
    stage.beginBlock(192000.0f);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<double> input;
    for (int n = 0; n < 300; ++n) {
        input.push_back(uniform(random));
        double l = input.back();
        double r = -input.back();
        stage.process(&l, &r, 1);
        double expected = n >= 63 ? input[static_cast<std::size_t>(n - 63)] : 0.0;
        ASSERT_EQ(l, expected) << n;
        ASSERT_EQ(r, -expected) << n;
    }
}

TEST(TruePeakDetector, ClearEmptiesTheRingsAtTheNextBlock) {
    TruePeakDetector stage;
    stage.beginBlock(192000.0f);
    for (int n = 0; n < 10; ++n) {
        double l = 1.0, r = 1.0;
        stage.process(&l, &r, 1);
    }
    stage.requestClear();
    stage.beginBlock(192000.0f);
    for (int n = 0; n < 64; ++n) {
        double l = 0.0, r = 0.0;
        stage.process(&l, &r, 1);
        ASSERT_EQ(l, 0.0) << n;
    }
}

}  // namespace
}  // namespace velunor
