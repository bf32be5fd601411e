// The effect and its three meter engines: which index reaches which engine, and which engine
// measures.
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "tests/effect/EffectFixture.h"

namespace velunor {
namespace {

using testing::EffectFixture;

class TempleteMeters : public EffectFixture {
protected:
    std::unique_ptr<Templete> effect = newEffect();
    std::array<MeterEngine*, 3> all() { return {&effect->rmsMeter(), &effect->vuMeter(), &effect->ppmMeter()}; }
};

TEST_F(TempleteMeters, EverySettingIndexReachesItsOwnEngineOnly) {
    for (VstInt32 index = kFirstRmsSetting; index <= kLastPpmSetting; ++index) {
        // Distinct values away from every default; 0.3 + index / 1000 stays inside 0..1.
        const float v = 0.3f + static_cast<float>(index) / 1000.0f;
        effect->setParameter(index, v);
        int owners = 0;
        for (MeterEngine* engine : all()) {
            if (!engine->ownsParameter(index)) continue;
            ++owners;
            EXPECT_EQ(engine->getParameter(index), v) << index;
        }
        EXPECT_EQ(owners, isEngineSetting(index) ? 1 : 0) << index;
        EXPECT_EQ(effect->getParameter(index), isEngineSetting(index) ? v : 0.0f) << index;
    }
    // Owner by range: 72..81 RMS, 83..91 VU, 93..100 PPM.
    EXPECT_TRUE(effect->rmsMeter().ownsParameter(81));
    EXPECT_TRUE(effect->vuMeter().ownsParameter(83));
    EXPECT_TRUE(effect->ppmMeter().ownsParameter(100));
    EXPECT_FALSE(effect->vuMeter().ownsParameter(92));
}

TEST_F(TempleteMeters, SharedParametersAndCommandsReachAllThreeEngines) {
    effect->setParameter(kMidSide, 0.6f);
    effect->setParameter(kHold, 0.5f);
    effect->setParameter(kLagTime, 0.25f);
    effect->setParameter(kCalibrationMode, 1.0f);
    for (MeterEngine* engine : all()) {
        engine->setHeldMax(0, 0.7);
        engine->setHeldMax(1, 0.8);
    }
    effect->setParameter(kClearHeld, 0.0f);
    for (MeterEngine* engine : all()) {
        EXPECT_EQ(engine->lrMsValue(), 0.6f);
        EXPECT_EQ(engine->midSide(), 1);
        EXPECT_EQ(engine->holdValue(), 0.5f);
        EXPECT_EQ(engine->holdMode(), 1);
        EXPECT_EQ(engine->lagMs(), 250);
        EXPECT_EQ(engine->calibrationMode(), 2);
        EXPECT_EQ(engine->heldMax(0), -1.0);
        EXPECT_EQ(engine->heldMax(1), -1.0);
    }
    EXPECT_EQ(lastCalibrationMode(), 2);
}

TEST_F(TempleteMeters, SaveCommandWritesEveryGlobalSettingToTheStore) {
    effect->setParameter(kCalibrationMode, 0.0f);
    effect->setParameter(83, 0.75f);
    effect->setParameter(72, 0.1f);
    effect->setParameter(kSaveGlobalCalibration, 0.0f);
    for (const MeterSetting& setting : kMeterSettings) {
        // RMS time settings are filed as their time step (the default 0.66 as 0.65).
        const float expected = setting.index == 83   ? 0.75f
                               : setting.index == 72 ? 0.1f
                                                     : filedSettingValue(setting, setting.defaultValue);
        EXPECT_EQ(registryFloat(setting.registryName), expected) << setting.registryName;
    }
}

TEST_F(TempleteMeters, OnlyTheSelectedMeterMeasures) {
    effect->setSampleRate(44100.0f);
    effect->resume();
    std::vector<float> l(4410), r(4410);
    for (std::size_t n = 0; n < l.size(); ++n)
        l[n] = r[n] = static_cast<float>(0.25 * std::sin(2.0 * std::numbers::pi * 1000.0 * static_cast<double>(n) / 44100.0));
    float* in[2] = {l.data(), r.data()};
    std::vector<float> outL(l.size()), outR(l.size());
    float* out[2] = {outL.data(), outR.data()};
    const std::pair<float, MeterEngine*> meters[] = {
        {1.0f, &effect->ppmMeter()}, {0.5f, &effect->rmsMeter()}, {0.0f, &effect->vuMeter()}};
    for (const auto& [meter, measuring] : meters) {
        for (MeterEngine* engine : all()) engine->prepare();
        effect->setParameter(kMeter, meter);
        EXPECT_EQ(effect->activeEngine(), measuring);
        effect->processReplacing(in, out, static_cast<VstInt32>(l.size()));
        for (MeterEngine* engine : all())
            EXPECT_EQ(engine->value(MeterValue::Level, 0) > 0.1, engine == measuring) << "meter " << meter;
    }
}

}  // namespace
}  // namespace velunor
