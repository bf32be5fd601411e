#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "MeterTestSupport.h"
#include "meters/VUmeter.h"

namespace velunor {
namespace {

using namespace velunor::test;

constexpr double kRate = 44100.0;

struct Response {
    double settled;
    double ripple;
    double msTo99;
    double overshoot;  // relative to the settled value
};

// A 1 kHz sine whose peak is the reference level (-18 dBFS), from rest, INTEGRATION 300 ms.
Response vuResponse(float type) {
    Owned<VUmeter> vu;
    vu->setParameter(86, type);
    std::vector<double> needle;
    const long frames = static_cast<long>(3.0 * kRate);
    auto tone = sine(1000.0, fromDb(-18.0));
    feed(*vu, frames, tone, tone, 1, [&](long) { needle.push_back(vu->value(MeterValue::Level, 0)); });
    auto tail = needle.end() - static_cast<long>(0.5 * kRate);
    Response r{};
    r.settled = std::accumulate(tail, needle.end(), 0.0) / static_cast<double>(needle.end() - tail);
    r.ripple = *std::max_element(tail, needle.end()) - *std::min_element(tail, needle.end());
    auto first = std::find_if(needle.begin(), needle.end(), [&](double v) { return v >= 0.99 * r.settled; });
    r.msTo99 = static_cast<double>(first - needle.begin() + 1) / kRate * 1000.0;
    r.overshoot = *std::max_element(needle.begin(), needle.end()) / r.settled - 1.0;
    return r;
}

class VUmeterTest : public MeterFixture {};

TEST_F(VUmeterTest, TypeASettlesWithASmallOvershoot) {
    Response a = vuResponse(0.0f);
    EXPECT_NEAR(a.settled, 0.9931, 0.0005);
    EXPECT_LT(a.ripple, 0.001);
    EXPECT_NEAR(a.msTo99, 293.0, 6.0);
    EXPECT_NEAR(a.overshoot, 0.004, 0.0015);
}

TEST_F(VUmeterTest, TypeBSettlesSlowerWithoutOvershoot) {
    Response b = vuResponse(1.0f);
    EXPECT_NEAR(b.settled, 0.9931, 0.0005);
    EXPECT_LT(b.ripple, 0.001);
    EXPECT_NEAR(b.msTo99, 428.0, 6.0);
    EXPECT_LT(b.overshoot, b.ripple / b.settled);
}

TEST_F(VUmeterTest, NeedleFrequencyFollowsIntegrationAndType) {
    Owned<VUmeter> vu;
    EXPECT_NEAR(vu->needleFrequencyHz(), 2.3706, 0.0005);
    vu->setParameter(86, 1.0f);
    EXPECT_NEAR(vu->needleFrequencyHz(), 2.0996, 0.0005);
    vu->setParameter(86, 0.0f);
    vu->setParameter(84, 0.1f);  // 75 ms
    EXPECT_NEAR(vu->needleFrequencyHz(), 9.48, 0.01);
    vu->setParameter(84, 0.9f);  // 1200 ms
    EXPECT_NEAR(vu->needleFrequencyHz(), 0.593, 0.001);
}

TEST_F(VUmeterTest, HoldKeepsTheMaximumForTheHoldTimeThenFalls24dBInTPrime) {
    Owned<VUmeter> vu;
    std::vector<double> held, needle;
    auto tone = burst(sine(1000.0, fromDb(-18.0)), static_cast<long>(0.5 * kRate));
    feed(*vu, static_cast<long>(2.5 * kRate), tone, tone, 1, [&](long) {
        held.push_back(vu->value(MeterValue::Held, 0));
        needle.push_back(vu->value(MeterValue::Level, 0));
    });
    // The last sample at which the needle reached the marker (an equal value restarts the hold too).
    std::size_t lastRise = 0;
    for (std::size_t n = 1; n < held.size(); ++n)
        if (needle[n] >= held[n - 1]) lastRise = n;
    const double top = held[lastRise];
    EXPECT_GT(top, 0.99);
    EXPECT_EQ(held[lastRise + 44099], top);
    EXPECT_LT(held[lastRise + 44100], top);
    const std::size_t fallen = lastRise + 44100 + static_cast<std::size_t>(0.3501 * kRate);
    EXPECT_NEAR(dB(held[fallen] / top), -24.0, 0.1);
}

TEST_F(VUmeterTest, NeedleSectionFollowsTheDeflection) {
    Owned<VUmeter> vu;
    auto loud = constant(1.0f);  // far above the scale
    feed(*vu, static_cast<long>(1.0 * kRate), loud, loud);
    EXPECT_GT(vu->value(MeterValue::Level, 0), 1.0);
    EXPECT_EQ(vu->needleBank(0).currentSection(), 15);
    EXPECT_NEAR(vu->needleBank(0).section(15).q(), 0.55, 1e-12);
    EXPECT_NEAR(vu->needleBank(0).section(0).q(), 0.68, 1e-12);
    auto silence = constant(0.0f);
    feed(*vu, static_cast<long>(3.0 * kRate), silence, silence);
    EXPECT_EQ(vu->needleBank(0).currentSection(), 0);
    EXPECT_NEAR(vu->value(MeterValue::Level, 0), 0.0, 1e-6);
}

// The needle keeps its section without working the pick out while its output stays in the
// section's range: each range must start exactly where the pick moves up.
TEST(NeedleSectionRanges, EachStartsAtTheFirstOutputThatPicksItsSection) {
    auto pick = [](float x) { return _mm_cvtsi128_si32(NeedleFilterBank::sectionsFor(_mm_set1_ps(x))); };
    for (int k = 1; k < NeedleFilterBank::kSections; ++k) {
        const float floor = NeedleFilterBank::sectionFloor(k);
        EXPECT_EQ(pick(floor), k) << k;
        EXPECT_EQ(pick(std::nextafter(floor, 0.0f)), k - 1) << k;
    }
    EXPECT_EQ(NeedleFilterBank::sectionFloor(0), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(NeedleFilterBank::sectionFloor(NeedleFilterBank::kSections), std::numeric_limits<float>::infinity());
    EXPECT_EQ(pick(-1.0f), 0);
    EXPECT_EQ(pick(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(pick(7.0f), 15);
}

TEST_F(VUmeterTest, PrepareAfterARateChangeResetsTheNeedleButNotTheHeldValue) {
    Owned<VUmeter> vu;
    auto tone = sine(1000.0, fromDb(-18.0));
    feed(*vu, static_cast<long>(0.5 * kRate), tone, tone);
    const double held = vu->value(MeterValue::Held, 0);
    EXPECT_GT(held, 0.5);
    vu->setSampleRate(96000.0f);
    vu->prepare();
    EXPECT_EQ(vu->value(MeterValue::Level, 0), VUmeter::kRest);
    EXPECT_EQ(vu->value(MeterValue::Held, 0), held);
    EXPECT_EQ(vu->samplesPerTick(), 96);
    EXPECT_NEAR(vu->holdLengthSamples(), 96000.0f, 0.5f);
    vu->suspend();
    EXPECT_EQ(vu->value(MeterValue::Held, 0), VUmeter::kRest);
    EXPECT_EQ(vu->overCount(1), -1.0);
}

}  // namespace
}  // namespace velunor
