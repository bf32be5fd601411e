#pragma once
// The effect's parameter model as data: the index space, the 17 public parameters with their
// names, display rules and step properties, and the laws that turn a normalised value into a
// working value. Templete walks this table; so can a test.

#include <array>

#include "host/VstAbi.h"

namespace velunor {

enum ParameterIndex : VstInt32 {
    kProcess = 0,
    kTrim = 1,
    kCalibrationMode = 2,  // "GSIcal"
    kMeter = 3,
    kMidSide = 4,          // "LR/MS"
    kHold = 5,
    kStrips = 6,
    kShowFilters = 7,      // "ShowFlt"
    kFiltersIn = 8,        // "ProcFlt"
    kHighPassState = 9,
    kHighPassSlope = 10,
    kHighPassFrequency = 11,
    kLowPassState = 12,
    kLowPassSlope = 13,
    kLowPassFrequency = 14,
    kShowLabel = 15,       // "ShowLbl"
    kLagTime = 16,
    kPublicParameterCount = 17,
    kHostParameterCount = 64,  // 17..63 are reserved and stay at 0.5

    // Internal indices: commands and the meter engines' settings.
    kSaveGlobalCalibration = 65,
    kClearHeld = 67,
    kLabelChanged = 69,
    kFirstRmsSetting = 72,
    kLastRmsSetting = 81,
    kFirstVuSetting = 83,
    kLastVuSetting = 91,
    kFirstPpmSetting = 93,
    kLastPpmSetting = 100,
};

constexpr float kReservedParameterValue = 0.5f;
constexpr int kEngineSettingSlots = kLastPpmSetting - kFirstRmsSetting + 1;  // 82 and 92 unused

constexpr bool isEngineSetting(VstInt32 index) {
    return (index >= kFirstRmsSetting && index <= kLastRmsSetting) ||
           (index >= kFirstVuSetting && index <= kLastVuSetting) ||
           (index >= kFirstPpmSetting && index <= kLastPpmSetting);
}

// How a parameter's display text is made.
enum class DisplayRule {
    Choice,     // one text per switch position
    TrimDb,     // "-3.5dB"
    Frequency,  // frequency text of base x 100^v
    LagTime,    // "250 ms"
};

// The step sizes a host may use for a parameter, and whether it is reported as a switch.
enum class StepRule { Switch, Fine, ThreeWay, LagTime };

struct ParameterInfo {
    const char* name;
    StepRule steps;
    DisplayRule display;
    int positions;                 // Choice: number of switch positions
    std::array<const char*, 3> choices;
    const char* otherChoice;       // Choice: the text for any other position
    float frequencyBaseHz;         // Frequency: the value at v = 0
    bool shownByActiveEngine;      // the text exists only while the selected meter's engine does
};

extern const std::array<ParameterInfo, kPublicParameterCount> kParameterTable;

// Host values outside 0..1 are clamped, never refused; NaN counts as below the range.
constexpr float clampNormalised(float v) { return v >= 0.0f ? (v > 1.0f ? 1.0f : v) : 0.0f; }

// The position of a control of `positions` steps, in single precision as the controls compute it:
// a two-way switch changes at 0.5, a three-way switch at 0.25 and 0.75.
constexpr int switchPosition(float v, int positions) {
    return static_cast<int>(v * static_cast<float>(positions - 1) + 0.5f);
}

// "Trim": -20 to +20 dB in 0.1 dB steps.
double trimDbFromNormalised(float v);
float trimGainFromDb(double db);

}  // namespace velunor
