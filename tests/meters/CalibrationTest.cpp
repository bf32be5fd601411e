#include <cstring>
#include <limits>
#include <string>

#include "MeterTestSupport.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/VUmeter.h"

namespace velunor {
namespace {

using namespace velunor::test;

std::string text(const MeterEngine& engine, VstInt32 index) {
    char buffer[32];
    engine.getParameterDisplay(index, buffer, sizeof buffer);
    return buffer;
}

// Counts the write transactions that reach the real store underneath.
class CountingStore final : public SettingsStore {
public:
    explicit CountingStore(SettingsStore& inner) : inner_(inner) {}
    std::unique_ptr<SettingsKey> openForReading() override { return inner_.openForReading(); }
    std::unique_ptr<SettingsKey> createForWriting() override {
        ++writes;
        return inner_.createForWriting();
    }
    int writes = 0;

private:
    SettingsStore& inner_;
};

class CalibrationTest : public MeterFixture {
protected:
    float registryFloat(const char* name) {
        float v = -1.0f;
        auto key = store_->openForReading();
        if (key) key->readValue(name, &v, sizeof v);
        return v;
    }
};

TEST_F(CalibrationTest, WithoutSettingsEveryEngineStartsFromTheDefaults) {
    ASSERT_EQ(lastCalibrationMode(), 1);
    Owned<VUmeter> vu;
    Owned<PPMmeter> ppm;
    Owned<RMSMeter> rms;
    EXPECT_EQ(vu->calibrationMode(), 1);
    EXPECT_EQ(text(*vu, 83), "-18.0dBFS");
    EXPECT_EQ(text(*vu, 84), "300ms");
    EXPECT_EQ(text(*vu, 85), "1.00s");
    EXPECT_FALSE(vu->typeB());
    EXPECT_EQ(vu->oversNeeded(), 3.0);
    EXPECT_EQ(text(*ppm, 93), "-12.0dBFS");
    EXPECT_EQ(text(*ppm, 94), "10ms");
    EXPECT_EQ(text(*ppm, 95), "1.00s");
    EXPECT_EQ(text(*ppm, 96), "2.00s");
    EXPECT_NEAR(ppm->ballistics().fallBackMs(), 1995.0, 0.5);
    EXPECT_EQ(text(*rms, 72), "0.0dBFS");
    EXPECT_EQ(text(*rms, 73), "10ms");
    EXPECT_EQ(text(*rms, 74), "1.00s");
    EXPECT_EQ(text(*rms, 75), "1.00s");
    EXPECT_EQ(text(*rms, 76), "2.00s");
    for (const MeterSetting& s : kMeterSettings) {
        const MeterEngine& e = s.meter == MeterType::VU ? static_cast<MeterEngine&>(*vu)
                               : s.meter == MeterType::PPM ? static_cast<MeterEngine&>(*ppm)
                                                           : static_cast<MeterEngine&>(*rms);
        EXPECT_EQ(e.getParameter(s.index), s.defaultValue) << s.registryName;
        EXPECT_EQ(sessionCalibrationStore().get(s.index), filedSettingValue(s, s.defaultValue)) << s.registryName;
    }
    EXPECT_EQ(vu->getParameter(93), 0.0f);  // not its setting
    EXPECT_EQ(text(*vu, 93), "");
    vu->setParameter(93, 1.0f);
    EXPECT_EQ(vu->getParameter(93), 0.0f);
}

TEST_F(CalibrationTest, RegistryValuesAreReadOnceAndMadeSafe) {
    writeRegistryFloat("Avuoverled", 1.0f);
    writeRegistryFloat("Appmovertag", 0.0f);
    writeRegistryFloat("ARMSOversTag", std::numeric_limits<float>::quiet_NaN());
    writeRegistryFloat("Avureference", 5.0f);
    writeRegistryFloat("Appmreference", -1.0f);
    {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key->setBinary("Armsreference", "\x01\x02", 2));  // not a float
        ASSERT_TRUE(key->setString("Avuintegration", "abc"));         // 4 bytes with its zero
        ASSERT_TRUE(key->close());
    }
    Owned<VUmeter> before;
    EXPECT_EQ(before->oversNeeded(), 3.0);  // loaded before the values were written
    reloadCalibrationStores();
    Owned<VUmeter> vu;
    Owned<PPMmeter> ppm;
    Owned<RMSMeter> rms;
    EXPECT_EQ(vu->oversNeeded(), 10.0);
    EXPECT_EQ(ppm->oversNeeded(), 1.0);
    EXPECT_EQ(rms->oversNeeded(), 3.0);
    EXPECT_EQ(vu->getParameter(83), 1.0f);
    EXPECT_EQ(ppm->getParameter(93), 0.0f);
    EXPECT_EQ(rms->getParameter(72), 0.667f);
    float abc;
    std::memcpy(&abc, "abc", 4);
    EXPECT_EQ(vu->getParameter(84), std::isfinite(abc) ? std::clamp(abc, 0.0f, 1.0f) : 0.5f);
    loadCalibrationStores();  // once loaded, a second load changes nothing
    writeRegistryFloat("Avuoverled", 0.0f);
    loadCalibrationStores();
    EXPECT_EQ(Owned<VUmeter>()->oversNeeded(), 10.0);
}

TEST_F(CalibrationTest, GlobalInstancesFollowEachOtherAtSync) {
    setLastCalibrationMode(0);
    Owned<VUmeter> a, b;
    ASSERT_EQ(a->calibrationMode(), 0);
    a.owner.setParameter(83, 0.5f);
    EXPECT_EQ(globalCalibrationStore().get(83), 0.5f);
    EXPECT_EQ(sessionCalibrationStore().get(83), 0.25f);
    EXPECT_EQ(b->getParameter(83), 0.25f);  // until its next idle tick
    b->syncCalibration();
    EXPECT_EQ(b->getParameter(83), 0.5f);
    EXPECT_EQ(b.owner.copy(83), 0.5f);
    EXPECT_EQ(text(*b, 83), "-12.0dBFS");
    const int calls = b.owner.calls;
    b->syncCalibration();
    EXPECT_EQ(b.owner.calls, calls);  // nothing differs, nothing is sent

    // A Session instance does not follow.
    setLastCalibrationMode(1);
    Owned<VUmeter> session;
    a.owner.setParameter(83, 0.75f);
    session->syncCalibration();
    EXPECT_EQ(session->getParameter(83), 0.25f);
    // Switching it to Global takes the Global values at once, through the owner.
    session->setCalibrationMode(0.0f);
    EXPECT_EQ(session->getParameter(83), 0.75f);
    EXPECT_EQ(session.owner.copy(83), 0.75f);
}

TEST_F(CalibrationTest, InstanceModeKeepsItsValuesAcrossASessionDetour) {
    Owned<PPMmeter> a, b;
    a->setCalibrationMode(1.0f);  // Instance for the first time: starts from the Session values
    EXPECT_EQ(a->calibrationMode(), 2);
    EXPECT_EQ(a->getParameter(93), 0.5f);
    a.owner.setParameter(93, 0.8f);
    EXPECT_EQ(sessionCalibrationStore().get(93), 0.5f);
    b->syncCalibration();
    EXPECT_EQ(b->getParameter(93), 0.5f);
    a->syncCalibration();  // nothing in Instance mode
    EXPECT_EQ(a->getParameter(93), 0.8f);

    a->setCalibrationMode(0.5f);  // Session replaces all its settings
    EXPECT_EQ(a->getParameter(93), 0.5f);
    EXPECT_EQ(a.owner.copy(93), 0.5f);
    a->setCalibrationMode(1.0f);  // and Instance brings back the earlier Instance period
    EXPECT_EQ(a->getParameter(93), 0.8f);
    EXPECT_EQ(a.owner.copy(93), 0.8f);

    // A new engine in Instance mode starts from the Session store, privately.
    setLastCalibrationMode(2);
    Owned<PPMmeter> c;
    EXPECT_EQ(c->getParameter(93), 0.5f);
    c.owner.setParameter(93, 0.1f);
    EXPECT_EQ(sessionCalibrationStore().get(93), 0.5f);
    c->setCalibrationMode(1.0f);
    EXPECT_EQ(c->getParameter(93), 0.1f);
}

TEST_F(CalibrationTest, SessionValuesFromARestoredChunkReachLaterInstances) {
    Owned<RMSMeter> first;
    // A chunk restore in Session mode sends the saved settings through the effect.
    first.owner.setParameter(72, 0.9f);
    first.owner.setParameter(76, 0.66f);  // a time not on a step is filed as its step
    EXPECT_EQ(sessionCalibrationStore().get(72), 0.9f);
    EXPECT_EQ(sessionCalibrationStore().get(76), 0.65f);
    EXPECT_EQ(first->getParameter(76), 0.66f);
    first->syncCalibration();  // ...and replaced by it at the next idle tick
    EXPECT_EQ(first->getParameter(76), 0.65f);
    EXPECT_EQ(first.owner.copy(76), 0.65f);
    Owned<RMSMeter> later;
    EXPECT_EQ(later->getParameter(72), 0.9f);
    EXPECT_EQ(text(*later, 72), "7.0dBFS");
}

TEST_F(CalibrationTest, SavingWritesTheGlobalStoreInOneTransaction) {
    CountingStore counting(*store_);
    setSettingsStore(&counting);
    Owned<VUmeter> vu;  // Session mode
    vu.owner.setParameter(83, 0.9f);
    EXPECT_TRUE(vu->saveGlobalCalibration());
    EXPECT_EQ(counting.writes, 1);
    // The unchanged Global store, not the settings in use.
    EXPECT_EQ(registryFloat("Avureference"), 0.25f);
    for (const MeterSetting& s : meterSettingsOf(MeterType::VU))
        EXPECT_EQ(registryFloat(s.registryName), s.defaultValue) << s.registryName;
    EXPECT_EQ(registryFloat("Appmreference"), -1.0f);  // another meter's part is not written

    vu->setCalibrationMode(0.0f);
    vu.owner.setParameter(83, 0.9f);
    EXPECT_TRUE(vu->saveGlobalCalibration());
    EXPECT_EQ(counting.writes, 2);
    EXPECT_EQ(registryFloat("Avureference"), 0.9f);
    reloadCalibrationStores();
    EXPECT_EQ(globalCalibrationStore().get(83), 0.9f);
    EXPECT_EQ(sessionCalibrationStore().get(83), 0.9f);

    setSettingsStore(nullptr);
    EXPECT_FALSE(vu->saveGlobalCalibration());  // nowhere to write: the store keeps its contents
    EXPECT_EQ(globalCalibrationStore().get(83), 0.9f);
}

}  // namespace
}  // namespace velunor
