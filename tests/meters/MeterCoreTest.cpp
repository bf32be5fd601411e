#include <atomic>
#include <limits>
#include <thread>

#include "MeterTestSupport.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/VUmeter.h"

namespace velunor {
namespace {

using namespace velunor::test;

void feedSamples(MeterEngine& engine, std::initializer_list<float> left, std::initializer_list<float> right = {}) {
    std::vector<float> l(left), r(right.size() ? right : left);
    float* ch[2] = {l.data(), r.data()};
    engine.process(ch, ch, static_cast<VstInt32>(l.size()));
}

class MeterCoreTest : public MeterFixture {};

TEST_F(MeterCoreTest, OverRunNeedsOversSamplesAndTheFirstOneMore) {
    Owned<VUmeter> vu;  // LED REF 0 dBFS, OVERs 3
    ASSERT_EQ(vu->oversNeeded(), 3.0);
    feedSamples(*vu, {1.0f, -1.0f, 1.0f});  // the count starts at -1
    EXPECT_EQ(vu->pollOver(0), -1.0);
    feedSamples(*vu, {-1.0f});
    EXPECT_EQ(vu->pollOver(0), 1.0);
    EXPECT_EQ(vu->pollOver(0), 0.0);  // consumed; stays dim
    feedSamples(*vu, {1.0f, 1.0f, 0.5f});
    EXPECT_EQ(vu->pollOver(0), 0.0);
    feedSamples(*vu, {1.0f, 1.0f, 1.0f});  // from 0 exactly OVERs samples
    feedSamples(*vu, std::initializer_list<float>{0.0f, 0.0f, 0.0f, 0.0f});  // a counted run waits to be seen
    EXPECT_EQ(vu->pollOver(0), 1.0);
    EXPECT_EQ(vu->pollOver(1), 1.0);
    vu->reset();
    EXPECT_EQ(vu->pollOver(0), -1.0);
    EXPECT_EQ(vu->heldMax(1), -1.0);
    feedSamples(*vu, {0.99f, 0.99f, 0.99f, 0.99f});
    EXPECT_EQ(vu->pollOver(0), -1.0);
}

TEST_F(MeterCoreTest, LedReferenceAboveTheReferenceLevel) {
    struct Case {
        VstInt32 reference, ledRef, overs;
        double referenceDb, levelDb;
        bool over;
    };
    const Case cases[] = {
        {83, 90, 89, -18.0, -9.9, true},  {83, 90, 89, -18.0, -10.1, false},  // +8 VU
        {93, 99, 98, -12.0, -3.8, true},  {93, 99, 98, -12.0, -3.9, false},   // +8.15 dBu
    };
    for (const Case& c : cases) {
        std::unique_ptr<MeterEngine> engine;
        TestOwner owner;
        if (c.reference == 83) engine = std::make_unique<VUmeter>(owner);
        else engine = std::make_unique<PPMmeter>(owner);
        engine->setParameter(c.reference, static_cast<float>((c.referenceDb + 24.0) / 24.0));
        engine->setParameter(c.ledRef, 0.0f);
        engine->setParameter(c.overs, 0.0f);
        float level = static_cast<float>(fromDb(c.levelDb));
        feedSamples(*engine, {level, level});
        EXPECT_EQ(engine->pollOver(0), c.over ? 1.0 : -1.0) << c.reference << " " << c.levelDb;
    }
}

TEST_F(MeterCoreTest, MidSideWithEachMidAttenuation) {
    for (auto [atten, mid] : {std::pair{0.0f, 1.0}, {0.5f, 0.708}, {1.0f, 0.5}}) {
        Owned<PPMmeter> ppm;
        ppm->setParameter(94, 0.0f);  // follows every rise at once
        ppm->setParameter(93, 1.0f);  // 0 dBFS: t is the sample
        ppm->setParameter(97, atten);
        ppm->setLrMs(1.0f);
        ASSERT_EQ(ppm->midSide(), 1);
        feedSamples(*ppm, {0.5f}, {0.5f});
        EXPECT_NEAR(ppm->value(MeterValue::Level, 0), mid, 1e-7) << atten;
        EXPECT_EQ(ppm->value(MeterValue::Level, 1), 0.0) << atten;
    }
    Owned<PPMmeter> lr;
    lr->setParameter(94, 0.0f);
    lr->setParameter(93, 1.0f);
    feedSamples(*lr, {0.5f}, {0.25f});
    EXPECT_EQ(lr->value(MeterValue::Level, 0), 0.5);
    EXPECT_EQ(lr->value(MeterValue::Level, 1), 0.25);
}

TEST_F(MeterCoreTest, PreciseMeasuresThePeakBetweenSamples) {
    for (auto [measure, expected] : {std::pair{1.0f, 1.0}, {0.0f, std::sqrt(0.5)}}) {
        Owned<PPMmeter> ppm;
        ppm->setParameter(94, 0.0f);  // follows every rise at once
        ppm->setParameter(93, 1.0f);  // 0 dBFS
        ppm->setParameter(100, measure);
        auto quarterRate = sine(11025.0, 1.0, 44100.0, std::numbers::pi / 4.0);  // every sample 0.7071
        feed(*ppm, 441, quarterRate, quarterRate);
        ppm->prepare();  // forgets the onset, whose ringing overshoots, but keeps the rings
        auto later = [&](long n) { return quarterRate(n + 441); };
        feed(*ppm, 441, later, later);
        EXPECT_NEAR(ppm->value(MeterValue::Held, 0), expected, 0.005) << measure;
    }
}

TEST_F(MeterCoreTest, LagTimeShowsTheMeasurementLater) {
    Owned<PPMmeter> ppm;
    ppm->setParameter(94, 0.0f);
    ppm->setParameter(93, 1.0f);
    ppm->setParameter(98, 0.0f);  // one over sample
    ppm->setLagTime(100.0f / 999.0f);
    ASSERT_EQ(ppm->lagMs(), 100);
    ASSERT_EQ(ppm->samplesPerTick(), 44);
    auto silence = constant(0.0f);
    feed(*ppm, 44 * 200, silence, silence);
    auto full = constant(1.0f);
    feed(*ppm, 44, full, full);  // one tick of full scale: level 1, an over
    EXPECT_EQ(ppm->value(MeterValue::Level, 0), 1.0);
    EXPECT_EQ(ppm->readDisplayValue(1.0, MeterValue::Level, 0), 0.0);
    EXPECT_EQ(ppm->pollOver(0), -1.0);
    feed(*ppm, 44 * 99, silence, silence);
    EXPECT_EQ(ppm->readDisplayValue(1.0, MeterValue::Level, 0), 0.0);
    feed(*ppm, 44, silence, silence);  // 100 ticks later
    EXPECT_EQ(ppm->readDisplayValue(1.0, MeterValue::Level, 0), 1.0);
    EXPECT_EQ(ppm->readDisplayValue(1.0, MeterValue::Held, 0), 1.0);
    EXPECT_EQ(ppm->pollOver(0), 1.0);  // the timer starts at 30 and counts down within the tick
    feed(*ppm, 44 * 28, silence, silence);
    ppm->readDisplayValue(1.0, MeterValue::Level, 0);
    EXPECT_EQ(ppm->pollOver(0), 1.0);
    feed(*ppm, 44, silence, silence);
    ppm->readDisplayValue(1.0, MeterValue::Level, 0);
    EXPECT_EQ(ppm->pollOver(0), 0.0);
    EXPECT_EQ(ppm->readDisplayValue(1.0, MeterValue::MeanSquare, 0), 0.0);  // no such lane

    // Without lag the lanes stand still: switching the lag back on shows the old history.
    const double shown = ppm->readDisplayValue(1.0, MeterValue::Level, 0);
    ppm->setLagTime(0.0f);
    feed(*ppm, 44 * 50, full, full);
    ppm->setLagTime(100.0f / 999.0f);
    EXPECT_EQ(ppm->readDisplayValue(1.0, MeterValue::Level, 0), shown);
    ppm->setLagTime(1.0f);
    EXPECT_EQ(ppm->lagMs(), 999);
}

TEST_F(MeterCoreTest, WithoutLagTheDisplayGlidesWhileTheLevelFalls) {
    Owned<PPMmeter> ppm;
    ppm->setParameter(94, 0.0f);
    ppm->setParameter(93, 1.0f);
    feedSamples(*ppm, {0.5f});
    EXPECT_EQ(ppm->readDisplayValue(0.0, MeterValue::Level, 0), 0.5);  // rises at once
    feedSamples(*ppm, {0.0f, 0.0f, 0.0f});
    const double start = ppm->valueAtBlockStart(MeterValue::Level, 0);
    const double now = ppm->value(MeterValue::Level, 0);
    ASSERT_LT(now, start);
    EXPECT_EQ(ppm->readDisplayValue(0.0, MeterValue::Level, 0), start);
    EXPECT_DOUBLE_EQ(ppm->readDisplayValue(0.5, MeterValue::Level, 0), 0.5 * start + 0.5 * now);
    EXPECT_LT(ppm->readDisplayValue(3.0, MeterValue::Level, 0), now);  // keeps extrapolating
}

TEST_F(MeterCoreTest, NonFiniteSamplesCountAsOversAndLeaveNoTrace) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    auto tone = sine(1000.0, 0.1);
    Owned<VUmeter> poisoned, clean;
    for (MeterEngine* e : {&*poisoned, &*clean}) e->setParameter(91, 1.0f);  // PRECISE: the rings too
    feed(*poisoned, 64, [&](long n) { return n % 2 ? nan : -inf; }, constant(0.0f));
    feed(*clean, 64, constant(0.0f), constant(0.0f));
    EXPECT_EQ(poisoned->pollOver(0), 1.0);
    EXPECT_EQ(poisoned->pollOver(1), -1.0);
    EXPECT_EQ(clean->pollOver(0), -1.0);
    for (int block = 0; block < 20; ++block) {
        feed(*poisoned, 441, tone, tone);
        feed(*clean, 441, tone, tone);
        ASSERT_TRUE(std::isfinite(poisoned->value(MeterValue::Level, 0)));
        ASSERT_EQ(poisoned->value(MeterValue::Level, 0), clean->value(MeterValue::Level, 0)) << block;
        ASSERT_EQ(poisoned->value(MeterValue::Held, 0), clean->value(MeterValue::Held, 0)) << block;
    }
    // In mid/side both channels come from both inputs.
    Owned<RMSMeter> rms;
    rms->setLrMs(1.0f);
    feed(*rms, 8, constant(0.0f), constant(nan));
    EXPECT_EQ(rms->pollOver(0), 1.0);
    EXPECT_EQ(rms->pollOver(1), 1.0);
    EXPECT_EQ(rms->value(MeterValue::MeanSquare, 0), 0.0);
}

TEST_F(MeterCoreTest, PrepareAndSuspendPutTheEnginesAtRest) {
    Owned<RMSMeter> rms;
    auto tone = sine(1000.0, 1.0);
    feed(*rms, 4410, tone, tone);
    rms->setLagTime(0.1f);
    feed(*rms, 8820, tone, tone);
    EXPECT_GT(rms->readDisplayValue(1.0, MeterValue::MeanSquare, 0), 0.0);
    rms->suspend();
    for (MeterValue v : {MeterValue::Level, MeterValue::Held, MeterValue::MeanSquare}) {
        EXPECT_EQ(rms->value(v, 0), 0.0);
        EXPECT_EQ(rms->valueAtBlockStart(v, 1), 0.0);
    }
    EXPECT_EQ(rms->overCount(0), -1.0);
    rms->setSampleRate(48000.0f);
    rms->prepare();
    EXPECT_EQ(rms->samplesPerTick(), 48);
    EXPECT_EQ(rms->readDisplayValue(1.0, MeterValue::MeanSquare, 0), 0.0);  // history cleared
    feedSamples(*rms, {});
    float* none[2] = {nullptr, nullptr};
    rms->process(none, none, 16);  // nothing to measure, nothing happens
    rms->process(nullptr, nullptr, 16);
}

}  // namespace
}  // namespace velunor

namespace velunor {
namespace {

using namespace velunor::test;

// The three threads of a host at once. Meaningful under -DVELUNOR_TSAN=ON, which reports any
// value they share that is not a relaxed atomic.
TEST_F(MeterCoreTest, AudioEditorAndParameterThreadsShareOnlyRelaxedValues) {
    Owned<VUmeter> vu;
    std::atomic<bool> done{false};
    std::thread audio([&] {
        auto tone = sine(1000.0, 0.2);
        for (int block = 0; block < 400; ++block) feed(*vu, 256, tone, tone, 256);
        done = true;
    });
    std::thread parameters([&] {
        for (int i = 0; !done; ++i) {
            vu.owner.setParameter(83 + i % 9, static_cast<float>(i % 11) / 10.0f);
            vu->setLagTime(i % 2 ? 0.1f : 0.0f);
            vu->setLrMs(i % 3 ? 0.0f : 1.0f);
            vu->reset();
        }
    });
    double sum = 0.0;
    while (!done) {
        for (int c = 0; c < 2; ++c) {
            sum += vu->readDisplayValue(0.5, MeterValue::Level, c) + vu->readDisplayValue(0.5, MeterValue::Held, c);
            sum += vu->pollOver(c);
            vu->setHeldShown(c, sum);
        }
        vu->syncCalibration();
    }
    audio.join();
    parameters.join();
    EXPECT_TRUE(std::isfinite(sum));
}

}  // namespace
}  // namespace velunor
