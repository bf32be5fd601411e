#pragma once
// What the meter tests share: an owner that behaves like the effect (clamps, keeps its copy, hands
// the value to the engine), a settings store in the test's own folder, and signal feeding.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <array>
#include <memory>
#include <numbers>
#include <vector>

#include "core/SettingsStore.h"
#include "meters/CalibrationStores.h"
#include "meters/MeterEngine.h"
#include "platform/linux/FileSettingsStore.h"

namespace velunor::test {

class TestOwner final : public EngineOwner {
public:
    void setParameter(VstInt32 index, float value) override {
        value = value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value;
        if (index >= 0 && index < static_cast<VstInt32>(copies.size())) copies[static_cast<std::size_t>(index)] = value;
        calls += 1;
        if (engine) engine->setParameter(index, value);
    }
    float copy(VstInt32 index) const { return copies[static_cast<std::size_t>(index)]; }
    MeterEngine* engine = nullptr;
    // Like the effect's own copies, written from whichever thread sets a parameter.
    std::array<Relaxed<float>, 101> copies{};
    Relaxed<int> calls{0};
};

// An engine together with its owner, as an effect would hold it.
template <typename Engine>
struct Owned {
    Owned() : engine(std::make_unique<Engine>(owner)) { owner.engine = engine.get(); }
    Engine* operator->() { return engine.get(); }
    Engine& operator*() { return *engine; }
    TestOwner owner;
    std::unique_ptr<Engine> engine;
};

// Gives every test a fresh settings file and freshly loaded process-wide stores.
class MeterFixture : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::path(std::getenv("VELUNOR_TEST_TMP")) / "meters" /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder_);
        store_ = std::make_unique<FileSettingsStore>(folder_ / "QVXVELUNOR300.reg");
        setSettingsStore(store_.get());
        reloadCalibrationStores();
    }
    void TearDown() override { setSettingsStore(nullptr); }

    void writeRegistryFloat(const char* name, float value) {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key && key->setBinary(name, &value, sizeof value) && key->close());
    }

    std::filesystem::path folder_;
    std::unique_ptr<FileSettingsStore> store_;
};

// Feeds `frames` samples of two generated channels in blocks; `after` runs after each block with
// the number of samples done.
inline void feed(MeterEngine& engine, long frames, const std::function<float(long)>& left,
                 const std::function<float(long)>& right, int block = 64,
                 const std::function<void(long)>& after = {}) {
    std::vector<float> l(static_cast<std::size_t>(block)), r(static_cast<std::size_t>(block));
    long done = 0;
    while (done < frames) {
        int n = static_cast<int>(std::min<long>(block, frames - done));
        for (int i = 0; i < n; ++i) {
            l[static_cast<std::size_t>(i)] = left(done + i);
            r[static_cast<std::size_t>(i)] = right(done + i);
        }
        float* channels[2] = {l.data(), r.data()};
        engine.process(channels, channels, n);
        done += n;
        if (after) after(done);
    }
}

inline std::function<float(long)> sine(double hz, double amplitude, double rate = 44100.0, double phase = 0.0) {
    return [=](long n) {
        return static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(n) / rate + phase));
    };
}
inline std::function<float(long)> constant(float v) {
    return [=](long) { return v; };
}
inline std::function<float(long)> burst(std::function<float(long)> tone, long frames) {
    return [=](long n) { return n < frames ? tone(n) : 0.0f; };
}

inline double dB(double ratio) { return 20.0 * std::log10(ratio); }
inline double fromDb(double db) { return std::pow(10.0, db / 20.0); }

}  // namespace velunor::test
