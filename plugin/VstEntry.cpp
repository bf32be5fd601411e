// The plug-in's entry point: the host calls it once per instance with its callback.

#include <new>

#include "core/EditorFactory.h"
#include "editor/TemepleteEditor.h"
#include "effect/Templete.h"
#include "meters/CalibrationStores.h"
#include "platform/linux/LinuxPlatformFactory.h"
#include "platform/linux/ProcessSettingsStore.h"

namespace {

// Where the plug-in installs the layers above the audio core before the first instance is built:
// the platform (fonts, the clock that stamps the audio blocks, the editor's windows) and the
// settings store, from which the calibration stores are then read once per process (what the
// library load does on other systems), and the factory through which each effect builds its editor.
void installPluginLayers() {
    velunor::platform::installLinuxPlatform();
    velunor::setEditorFactory([](AudioEffect* effect) -> AEffEditor* {
        auto* templete = dynamic_cast<Templete*>(effect);
        return templete ? new TemepleteEditor(templete) : nullptr;
    });
    velunor::installProcessSettingsStore();
    velunor::loadCalibrationStores();
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
    if (!host) return nullptr;
    // A host that does not answer the version request gets no instance.
    if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    if (host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        installPluginLayers();
        auto* effect = new Templete(host);
        return effect->getAeffect();
    } catch (...) {
        return nullptr;  // nothing may cross the host boundary
    }
}

// Older hosts look for the entry under the name "main", which a C++ function cannot have.
__attribute__((visibility("default"))) AEffect* velunorLegacyMain(audioMasterCallback host) __asm__("main");
AEffect* velunorLegacyMain(audioMasterCallback host) { return VSTPluginMain(host); }

}  // extern "C"
