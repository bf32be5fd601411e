#pragma once
// The 27 calibration settings of the three meters: parameter index, registry value name, default,
// how the normalised value converts into a working value, and how it is displayed. Everything the
// engines, the stores and the back panels need to know about a setting is in this one table.

#include <array>
#include <cstddef>
#include <span>

#include "host/VstAbi.h"

namespace velunor {

// Meter index as "Meter" numbers it.
enum class MeterType : int { VU = 0, RMS = 1, PPM = 2 };

enum class SettingKind {
    Reference,        // 24v - 24 dBFS
    RmsReference,     // -20..+10 dB in 0.1 dB steps
    VuIntegration,    // 53 ms .. 1697 ms, 200 steps
    HoldTime,         // a time step corrected by the hold table: 100 ms .. 10 s
    IntegrationTime,  // a time step corrected by the integration table: 0 .. 100 ms
    VuType,           // 0 type A, 1 type B
    MidAtten,         // 0 M0, 1 M3, 2 M6
    Backlit,          // the face tint: the value itself
    Overs,            // 1..10 consecutive over samples
    LedRef,           // 0, 1/3, 2/3, 1
    RmsLedRef,        // position 0..6
    Switch,           // 0 or 1
};

// How 80v becomes a time step; the three meters differ and the difference decides where a step
// boundary falls for values such as the float nearest to 0.65.
enum class TimeStep { None, RoundedDouble, TruncatedSingle, TruncatedDouble };

struct MeterSetting {
    VstInt32 index;
    const char* registryName;
    float defaultValue;
    MeterType meter;
    SettingKind kind;
    TimeStep step;
    // Filed into a calibration store as its time step rather than as received.
    bool filedAsStep;
};

inline constexpr std::size_t kMeterSettingCount = 27;

// In state-chunk order: RMS 72..81, VU 83..91, PPM 93..100. Within a meter the indices are
// contiguous, so a setting's position in its meter is index - first index.
extern const std::array<MeterSetting, kMeterSettingCount> kMeterSettings;

// Null for an index that is no meter setting.
const MeterSetting* findMeterSetting(VstInt32 index);
// 0..26, the setting's place in kMeterSettings; -1 for other indices.
int meterSettingSlot(VstInt32 index);
std::span<const MeterSetting> meterSettingsOf(MeterType meter);
// The order in which syncCalibration compares a meter's settings with its store.
std::span<const VstInt32> syncOrderOf(MeterType meter);

// A value from outside (a store, a chunk, a caller that skipped the clamp) made safe: clamped to
// 0..1, the default for a non-finite one.
float sanitizeSettingValue(const MeterSetting& setting, float value);
// What a calibration store keeps for a received value.
float filedSettingValue(const MeterSetting& setting, float value);
// The working value in the units of the kind: dB, ms, or the position.
double settingWorkingValue(const MeterSetting& setting, float value);
// The back panel's text for the value: empty for kinds without one.
void formatSettingDisplay(const MeterSetting& setting, float value, char* text, std::size_t size);

// The pieces of the conversions, for the engines and the tests.
int timeStepOf(TimeStep step, float value);
float stepPosition(int step);  // c = step x 0.25, as a float
float holdTableCorrected(float c);
float integrationTableCorrected(float c);
double holdTableMs(float e);
double integrationTableMs(float e);
double vuIntegrationMs(float value);  // T; the needle uses T' = 1.167 T
double gainForReferenceDb(double referenceDb);

}  // namespace velunor
