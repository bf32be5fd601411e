#include <algorithm>

#include "MeterTestSupport.h"
#include "meters/PPMmeter.h"

namespace velunor {
namespace {

using namespace velunor::test;

constexpr double kRate = 44100.0;

class PPMmeterTest : public MeterFixture {
protected:
    // Reference -12 dBFS, INTEGRATION 10 ms, FALL-BACK 2.80 s; a 1 kHz sine at the reference.
    void SetUp() override {
        MeterFixture::SetUp();
        ppm_ = std::make_unique<Owned<PPMmeter>>();
        (*ppm_)->setParameter(96, 0.7f);
    }
    PPMmeter& ppm() { return *ppm_->engine; }

    double burstReading(double ms) {
        ppm().prepare();
        auto tone = burst(sine(1000.0, fromDb(-12.0)), static_cast<long>(ms * 0.001 * kRate));
        feed(ppm(), static_cast<long>(0.3 * kRate), tone, tone);
        return ppm().value(MeterValue::Held, 0);
    }

    std::unique_ptr<Owned<PPMmeter>> ppm_;
};

TEST_F(PPMmeterTest, SteadyToneSettlesJustBelowTheReference) {
    EXPECT_EQ(ppm().ballistics().fallBackMs(), holdTableMs(14.47f));
    auto tone = sine(1000.0, fromDb(-12.0));
    feed(ppm(), static_cast<long>(0.5 * kRate), tone, tone);
    double low = 10.0, high = 0.0;
    feed(ppm(), static_cast<long>(0.1 * kRate), tone, tone, 1, [&](long) {
        low = std::min(low, ppm().value(MeterValue::Level, 0));
        high = std::max(high, ppm().value(MeterValue::Level, 0));
    });
    EXPECT_NEAR((low + high) / 2.0, 0.988, 0.001);
    EXPECT_NEAR(dB(high), -0.1, 0.05);
    EXPECT_LT(high - low, 0.0006);
}

TEST_F(PPMmeterTest, BurstReadings) {
    EXPECT_NEAR(burstReading(10.0), 0.827, 0.003);
    EXPECT_NEAR(burstReading(5.0), 0.659, 0.003);
    EXPECT_NEAR(burstReading(100.0), 0.988, 0.002);
    EXPECT_NEAR(dB(burstReading(10.0)), -1.65, 0.05);
    EXPECT_NEAR(dB(burstReading(5.0)), -3.6, 0.05);
}

TEST_F(PPMmeterTest, FallsBack24dBInTheFallBackTime) {
    auto tone = burst(sine(1000.0, fromDb(-12.0)), static_cast<long>(0.5 * kRate));
    feed(ppm(), static_cast<long>(0.5 * kRate), tone, tone);
    const double top = ppm().value(MeterValue::Level, 0);
    auto silence = constant(0.0f);
    feed(ppm(), static_cast<long>(2.80 * kRate), silence, silence);
    EXPECT_NEAR(dB(ppm().value(MeterValue::Level, 0) / top), -24.0, 0.1);
}

TEST_F(PPMmeterTest, IntegrationZeroFollowsEveryRiseAtOnce) {
    ppm().setParameter(94, 0.0f);
    EXPECT_EQ(ppm().ballistics().attack(), 1.0);
    ppm().setParameter(93, 1.0f);  // 0 dBFS: the detector reads the sample itself
    float samples[] = {0.1f, 0.5f, -0.7f, 0.2f};
    for (float s : samples) {
        float* ch[2] = {&s, &s};
        ppm().process(ch, ch, 1);
        if (std::fabs(s) >= ppm().value(MeterValue::Level, 0)) {
            EXPECT_EQ(ppm().value(MeterValue::Level, 0), std::fabs(s));
        }
    }
    EXPECT_NEAR(ppm().value(MeterValue::Level, 0), 0.7 + (0.2 - 0.7) * ppm().ballistics().release(), 1e-7);
}

TEST_F(PPMmeterTest, HoldCountStopsAtTheHoldLength) {
    auto tone = burst(sine(1000.0, fromDb(-12.0)), static_cast<long>(0.1 * kRate));
    feed(ppm(), static_cast<long>(3.0 * kRate), tone, tone, 512);
    EXPECT_EQ(ppm().holdCount(0), 44100);
    EXPECT_LT(ppm().value(MeterValue::Held, 0), 0.5);  // it fell after the hold time all the same
}

}  // namespace
}  // namespace velunor
