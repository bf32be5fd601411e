#pragma once
// Loads the built plug-in through dlopen and creates one instance, as a host does.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tools/hosting/PluginInstance.h"
#include "tools/hosting/PluginLibrary.h"

namespace velunor::testing {

inline std::string binDir() {
    const char* dir = std::getenv("VELUNOR_BIN_DIR");
    return dir ? dir : "";
}

inline std::string pluginPath() { return binDir() + "/QVXVelunor_x64.so"; }

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        library = hosting::PluginLibrary::load(pluginPath(), error);
        ASSERT_TRUE(library) << error;
        plugin = hosting::PluginInstance::create(*library, error);
        ASSERT_TRUE(plugin) << error;
        plugin->dispatch(effOpen);
    }
    void TearDown() override {
        plugin.reset();
        library.reset();
    }
    AEffect* effect() { return plugin->effect(); }

    std::unique_ptr<hosting::PluginLibrary> library;
    std::unique_ptr<hosting::PluginInstance> plugin;
};

}  // namespace velunor::testing
