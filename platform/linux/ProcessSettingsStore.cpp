#include "platform/linux/ProcessSettingsStore.h"

#include <cstdlib>

#include "platform/linux/FileSettingsStore.h"

namespace velunor {

std::filesystem::path defaultSettingsFile() {
    std::filesystem::path base;
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored, as desktops do.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return {};
        base = std::filesystem::path(home) / ".config";
    }
    return base / "Vantorell" / "QVXVELUNOR300.reg";
}

SettingsStore& installProcessSettingsStore() {
    static FileSettingsStore store(defaultSettingsFile());
    setSettingsStore(&store);
    return store;
}

}  // namespace velunor
