#include "meters/CalibrationStores.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>

#include "core/SettingsStore.h"

namespace velunor {
namespace {

SharedCalibrationStore gGlobal;
SharedCalibrationStore gSession;
Relaxed<int> gLastMode{static_cast<int>(CalibrationMode::Session)};
std::atomic<bool> gLoaded{false};
std::mutex gLoadMutex;

// One value as the registry gives it: 4 bytes of float bits, whatever the value's type. Anything
// else, or a value that is not a usable setting, leaves the default.
float readSetting(SettingsKey* key, const MeterSetting& setting) {
    float value = setting.defaultValue;
    if (key) {
        unsigned char bytes[4];
        if (key->readValue(setting.registryName, bytes, sizeof bytes) == sizeof bytes) {
            std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                 static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
            std::memcpy(&value, &bits, sizeof value);
        }
    }
    return sanitizeSettingValue(setting, value);
}

void readStores() {
    std::unique_ptr<SettingsKey> key;
    if (SettingsStore* store = settingsStore()) key = store->openForReading();
    for (const MeterSetting& setting : kMeterSettings) {
        float value = readSetting(key.get(), setting);
        gGlobal.set(setting.index, value);
        gSession.set(setting.index, value);
    }
    gLastMode = static_cast<int>(CalibrationMode::Session);
}

}  // namespace

float SharedCalibrationStore::get(VstInt32 index) const {
    int slot = meterSettingSlot(index);
    return slot < 0 ? 0.0f : values_[slot].load();
}

void SharedCalibrationStore::set(VstInt32 index, float value) {
    int slot = meterSettingSlot(index);
    if (slot >= 0) values_[slot] = value;
}

void SharedCalibrationStore::fillWithDefaults() {
    for (const MeterSetting& setting : kMeterSettings) set(setting.index, setting.defaultValue);
}

SharedCalibrationStore& globalCalibrationStore() { return gGlobal; }
SharedCalibrationStore& sessionCalibrationStore() { return gSession; }
SharedCalibrationStore& calibrationStoreFor(CalibrationMode mode) {
    return mode == CalibrationMode::Global ? gGlobal : gSession;
}

void loadCalibrationStores() {
    if (gLoaded.load(std::memory_order_acquire)) return;
    std::lock_guard<std::mutex> lock(gLoadMutex);
    if (gLoaded.load(std::memory_order_relaxed)) return;
    readStores();
    gLoaded.store(true, std::memory_order_release);
}

void reloadCalibrationStores() {
    std::lock_guard<std::mutex> lock(gLoadMutex);
    readStores();
    gLoaded.store(true, std::memory_order_release);
}

int lastCalibrationMode() { return gLastMode; }
void setLastCalibrationMode(int mode) { gLastMode = mode < 0 ? 0 : mode > 2 ? 2 : mode; }

bool saveGlobalCalibrationStore(MeterType meter) {
    SettingsStore* store = settingsStore();
    if (!store) return false;
    auto key = store->createForWriting();
    if (!key) return false;
    bool ok = true;
    for (const MeterSetting& setting : meterSettingsOf(meter)) {
        float value = gGlobal.get(setting.index);
        unsigned char bytes[4];
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
        ok = key->setBinary(setting.registryName, bytes, sizeof bytes) && ok;
    }
    return key->close() && ok;
}

}  // namespace velunor
