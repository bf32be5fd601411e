// The VU settings through the built plug-in in velunor-host under a private Xvfb: the pointer opens
// the back panel from the meter selector, double-clicks the REFERENCE knob back to its default and
// closes the panel on a free spot; closing writes the Global calibration to the settings file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PrivateXServer.h"
#include "meters/MeterSettings.h"
#include "platform/linux/FileSettingsStore.h"
#include "tests/plugin/ToolRunner.h"

namespace velunor::testing {
namespace {

class BackPanelX11 : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(server_.start(why)) << why;
    }
    void TearDown() override { server_.stop(); }

    static std::filesystem::path settingsFile() {
        return std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Vantorell" / "QVXVELUNOR300.reg";
    }
    static float stored(const char* name) {
        FileSettingsStore store(settingsFile());
        float v = -1.0f;
        if (auto key = store.openForReading()) key->readValue(name, &v, sizeof v);
        return v;
    }

    guitest::PrivateXServer server_;
};

TEST_F(BackPanelX11, AKnobTurnedOnTheSettingsIsInTheSettingsFileAfterClosingThem) {
    const MeterSetting* reference = findMeterSetting(83);
    ASSERT_TRUE(reference);
    {
        FileSettingsStore store(settingsFile());
        const float turned = 0.75f;
        auto key = store.createForWriting();
        ASSERT_TRUE(key && key->setBinary(reference->registryName, &turned, sizeof turned) && key->close());
    }
    ASSERT_EQ(stored(reference->registryName), 0.75f);

    // GSIcal Global; the selector's middle opens the settings, two clicks on REFERENCE are a double
    // click (its default, -18 dBFS), and a click beside MID ATTEN closes them.
    const ToolResult r = runTool("velunor-host' gui" + quoted(binDir() + "/QVXVelunor_x64.so") +
                                     " --param 2=0 --seconds 1.5 --click 270,156@0.4 --click 45,56@0.7"
                                     " --click 45,56@0.8 --click 330,150@1.0",
                                 "DISPLAY=" + server_.display());
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(stored(reference->registryName), reference->defaultValue);
}

}  // namespace
}  // namespace velunor::testing
