#pragma once
// Effects built as the plug-in builds them, over a settings store of the test's own: every test
// starts as a freshly loaded library would (stores read again, last choices back to Session and VU).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "effect/LastChoices.h"
#include "effect/Templete.h"
#include "meters/CalibrationStores.h"
#include "platform/linux/FileSettingsStore.h"
#include "tests/effect/TestHost.h"

namespace velunor::testing {

class EffectFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::path(std::getenv("VELUNOR_TEST_TMP")) / "effect" /
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder_);
        store_ = std::make_unique<FileSettingsStore>(folder_ / "QVXVELUNOR300.reg");
        setSettingsStore(store_.get());
        reloadLibrary();
    }
    void TearDown() override { setSettingsStore(nullptr); }

    // What unloading and loading the library again does to the process-wide state.
    static void reloadLibrary() {
        LastChoices::meterType = 0;
        reloadCalibrationStores();
    }

    static std::unique_ptr<Templete> newEffect() { return std::make_unique<Templete>(&testHostCallback); }

    void writeRegistryFloat(const char* name, float value) {
        auto key = store_->createForWriting();
        ASSERT_TRUE(key && key->setBinary(name, &value, sizeof value) && key->close());
    }
    float registryFloat(const char* name) {
        float v = -1.0f;
        if (auto key = store_->openForReading()) key->readValue(name, &v, sizeof v);
        return v;
    }

    std::filesystem::path folder_;
    std::unique_ptr<FileSettingsStore> store_;
};

}  // namespace velunor::testing
