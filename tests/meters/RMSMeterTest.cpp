#include "MeterTestSupport.h"
#include "meters/RMSMeter.h"

namespace velunor {
namespace {

using namespace velunor::test;

constexpr double kRate = 44100.0;

double rmsReadout(const RMSMeter& rms, int channel) { return std::sqrt(rms.value(MeterValue::MeanSquare, channel)) * 1.4142; }

class RMSMeterTest : public MeterFixture {};

TEST_F(RMSMeterTest, ReadoutAfterOneIntegrationTime) {
    for (auto [setting, seconds] : {std::pair{0.0f, 0.1}, {0.5f, 1.0}, {1.0f, 10.0}}) {
        Owned<RMSMeter> rms;
        rms->setParameter(80, 0.0f);  // CPU SAFE: PRECISE measures the loudest neighbour, not the sample
        rms->setParameter(74, setting);
        auto tone = sine(1000.0, 1.0);
        feed(*rms, static_cast<long>(seconds * kRate), tone, tone, 441);
        EXPECT_NEAR(rmsReadout(*rms, 0), 0.994, 0.001) << seconds;
        EXPECT_NEAR(dB(rmsReadout(*rms, 0)), -0.05, 0.01) << seconds;
        feed(*rms, static_cast<long>(4.0 * seconds * kRate), tone, tone, 441);
        EXPECT_NEAR(rmsReadout(*rms, 0), 1.0, 0.001) << seconds;
    }
}

TEST_F(RMSMeterTest, PeakAndReferenceScale) {
    Owned<RMSMeter> rms;
    rms->setParameter(80, 0.0f);
    auto tone = sine(1000.0, 1.0);
    feed(*rms, static_cast<long>(2.0 * kRate), tone, tone, 441);
    const double peak = rms->value(MeterValue::Level, 0);
    EXPECT_NEAR(peak, 0.988, 0.004);  // FALL-BACK 2 s lets it sag a little more than the PPM's 2.8 s
    rms->setParameter(72, 1.0f);  // +10 dB
    feed(*rms, static_cast<long>(6.0 * kRate), tone, tone, 441);
    EXPECT_NEAR(rms->value(MeterValue::Level, 0), 0.316 * peak, 0.001);
    EXPECT_NEAR(rmsReadout(*rms, 1), 0.316, 0.001);
}

TEST_F(RMSMeterTest, SquareAndSineOfTheSamePeak) {
    Owned<RMSMeter> rms;
    rms->setParameter(80, 0.0f);
    auto square = [](long n) { return (n / 22) % 2 ? 0.5f : -0.5f; };
    auto tone = sine(1000.0, 0.5);
    feed(*rms, static_cast<long>(6.0 * kRate), square, tone, 441);
    EXPECT_NEAR(rms->value(MeterValue::MeanSquare, 0), 0.25, 0.001);
    EXPECT_NEAR(rmsReadout(*rms, 0), 0.707, 0.001);
    EXPECT_NEAR(rmsReadout(*rms, 1), 0.5, 0.001);
}

TEST_F(RMSMeterTest, LedLevelsOnTheFullScaleAndReferenceScales) {
    struct Case {
        float reference, ledRef, scale;
        double amplitude;
        bool over;
    };
    const Case cases[] = {
        {0.667f, 0.0f, 1.0f, 0.5012, true},    // -6 dBFS
        {0.667f, 0.0f, 1.0f, 0.5000, false},
        {0.0f, 0.0f, 1.0f, 0.5012, true},      // whatever the reference
        {1.0f, 0.0f, 1.0f, 0.5012, true},
        {1.0f / 3.0f, 0.0f, 0.0f, fromDb(-15.98), true},  // dBref with -10 dB: -16 dBFS
        {1.0f / 3.0f, 0.0f, 0.0f, fromDb(-16.02), false},
        {0.667f, 1.0f, 1.0f, 0.999, false},    // 0 dBFS
        {0.667f, 1.0f, 1.0f, 1.0, true},
        {0.667f, 0.5f, 1.0f, 0.70711, true},    // -3 dBFS
        {0.667f, 0.5f, 1.0f, 0.7070, false},
    };
    for (const Case& c : cases) {
        Owned<RMSMeter> rms;
        rms->setParameter(72, c.reference);
        rms->setParameter(79, c.ledRef);
        rms->setParameter(81, c.scale);
        rms->setParameter(78, 0.0f);  // one over sample is enough
        rms->setParameter(80, 0.0f);  // CPU SAFE: the samples as they come
        auto level = constant(static_cast<float>(c.amplitude));
        feed(*rms, 8, level, level);
        EXPECT_EQ(rms->pollOver(0), c.over ? 1.0 : -1.0) << c.reference << " " << c.ledRef << " " << c.amplitude;
    }
}

}  // namespace
}  // namespace velunor
