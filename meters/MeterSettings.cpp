#include "meters/MeterSettings.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/ValueText.h"

namespace velunor {
namespace {

using K = SettingKind;
using S = TimeStep;
constexpr MeterType kRms = MeterType::RMS;
constexpr MeterType kVu = MeterType::VU;
constexpr MeterType kPpm = MeterType::PPM;

constexpr VstInt32 kVuSyncOrder[] = {83, 84, 85, 86, 87, 88, 89, 90, 91};
constexpr VstInt32 kPpmSyncOrder[] = {93, 94, 95, 96, 97, 98, 99, 100};
constexpr VstInt32 kRmsSyncOrder[] = {72, 73, 74, 76, 75, 77, 78, 79, 81, 80};

struct Correction {
    float c;
    float e;
};

// The knob scale's marks sit on these positions; every other step is kept as it is.
constexpr Correction kHoldTable[] = {
    {1.75f, 1.6f},   {2.0f, 1.7f},    {5.75f, 5.6f},   {6.0f, 5.7f},    {8.0f, 8.155f},
    {11.75f, 11.6f}, {12.0f, 11.76f}, {14.0f, 14.47f}, {14.25f, 14.52f}, {14.5f, 14.6f},
    {16.0f, 16.025f}, {18.0f, 18.451f}, {18.25f, 18.5f}, {18.5f, 18.6f},
};
constexpr Correction kIntegrationTable[] = {
    {1.75f, 1.6f},    {2.0f, 1.7f},     {6.0f, 6.25f},   {6.25f, 6.4f},   {8.0f, 8.095f},
    {10.0f, 10.4f},   {10.25f, 10.45f}, {10.5f, 10.6f},  {11.75f, 11.6f}, {12.0f, 11.73f},
    {14.0f, 14.12f},  {16.0f, 16.09f},  {18.0f, 18.47f}, {18.25f, 18.5f}, {18.5f, 18.65f},
};

template <std::size_t N>
float corrected(const Correction (&table)[N], float c) {
    for (const Correction& entry : table)
        if (entry.c == c) return entry.e;  // exact: c is always a multiple of 0.25
    return c;
}

// e / 20 as the float nearest to e x 0.05, before the power is taken in double precision.
double exponentOf(float e) { return static_cast<double>(static_cast<float>(static_cast<double>(e) * 0.05)); }

double timeMsOf(const MeterSetting& setting, float value) {
    float c = stepPosition(timeStepOf(setting.step, value));
    return setting.kind == K::HoldTime ? holdTableMs(holdTableCorrected(c))
                                       : integrationTableMs(integrationTableCorrected(c));
}

void appendUnit(char* text, std::size_t size, const char* unit) {
    std::size_t used = std::strlen(text);
    if (used + 1 < size) std::snprintf(text + used, size - used, "%s", unit);
}

}  // namespace

// clang-format off
const std::array<MeterSetting, kMeterSettingCount> kMeterSettings = {{
    {72, "Armsreference",      0.667f, kRms, K::RmsReference,    S::None,            false},
    {73, "Armsintegration",    0.5f,   kRms, K::IntegrationTime, S::TruncatedDouble, true},
    {74, "ARMSRmsIntegration", 0.5f,   kRms, K::HoldTime,        S::TruncatedDouble, true},
    {75, "Armsholdtime",       0.5f,   kRms, K::HoldTime,        S::TruncatedDouble, true},
    {76, "Armsreturn",         0.66f,  kRms, K::HoldTime,        S::TruncatedDouble, true},
    {77, "ARMSMSType",         0.5f,   kRms, K::MidAtten,        S::None,            false},
    {78, "ARMSOversTag",       0.22f,  kRms, K::Overs,           S::None,            false},
    {79, "Armsoverreference",  1.0f,   kRms, K::RmsLedRef,       S::None,            false},
    {80, "Armsprecise",        0.5f,   kRms, K::Switch,          S::None,            false},
    {81, "Armsledref",         0.5f,   kRms, K::Switch,          S::None,            false},
    {83, "Avureference",       0.25f,  kVu,  K::Reference,       S::None,            false},
    {84, "Avuintegration",     0.5f,   kVu,  K::VuIntegration,   S::None,            false},
    {85, "Avuholdtime",        0.5f,   kVu,  K::HoldTime,        S::RoundedDouble,   false},
    {86, "Avutype",            0.0f,   kVu,  K::VuType,          S::None,            false},
    {87, "Avumstype",          0.5f,   kVu,  K::MidAtten,        S::None,            false},
    {88, "Avubacklit",         0.5f,   kVu,  K::Backlit,         S::None,            false},
    {89, "Avuoverled",         0.22f,  kVu,  K::Overs,           S::None,            false},
    {90, "Avuledref",          1.0f,   kVu,  K::LedRef,          S::None,            false},
    {91, "Avuprecise",         0.0f,   kVu,  K::Switch,          S::None,            false},
    {93, "Appmreference",      0.5f,   kPpm, K::Reference,       S::None,            false},
    {94, "Appmintegration",    0.5f,   kPpm, K::IntegrationTime, S::TruncatedSingle, false},
    {95, "Appmholdtime",       0.5f,   kPpm, K::HoldTime,        S::TruncatedSingle, false},
    {96, "Appmreturn",         0.66f,  kPpm, K::HoldTime,        S::TruncatedSingle, false},
    {97, "Appmmstype",         0.5f,   kPpm, K::MidAtten,        S::None,            false},
    {98, "Appmovertag",        0.22f,  kPpm, K::Overs,           S::None,            false},
    {99, "Appmoverreference",  1.0f,   kPpm, K::LedRef,          S::None,            false},
    {100, "Appmprecise",       0.0f,   kPpm, K::Switch,          S::None,            false},
}};
// clang-format on

int meterSettingSlot(VstInt32 index) {
    if (index >= 72 && index <= 81) return index - 72;
    if (index >= 83 && index <= 91) return index - 83 + 10;
    if (index >= 93 && index <= 100) return index - 93 + 19;
    return -1;
}

const MeterSetting* findMeterSetting(VstInt32 index) {
    int slot = meterSettingSlot(index);
    return slot < 0 ? nullptr : &kMeterSettings[static_cast<std::size_t>(slot)];
}

std::span<const MeterSetting> meterSettingsOf(MeterType meter) {
    std::span<const MeterSetting> all(kMeterSettings);
    switch (meter) {
        case MeterType::RMS: return all.subspan(0, 10);
        case MeterType::VU: return all.subspan(10, 9);
        case MeterType::PPM: return all.subspan(19, 8);
    }
    return {};
}

std::span<const VstInt32> syncOrderOf(MeterType meter) {
    switch (meter) {
        case MeterType::RMS: return kRmsSyncOrder;
        case MeterType::VU: return kVuSyncOrder;
        case MeterType::PPM: return kPpmSyncOrder;
    }
    return {};
}

float sanitizeSettingValue(const MeterSetting& setting, float value) {
    if (!std::isfinite(value)) return setting.defaultValue;
    return value < 0.0f ? 0.0f : value > 1.0f ? 1.0f : value;
}

float filedSettingValue(const MeterSetting& setting, float value) {
    if (!setting.filedAsStep) return value;
    return static_cast<float>(timeStepOf(TimeStep::TruncatedSingle, value) * 0.0125);
}

int timeStepOf(TimeStep step, float value) {
    switch (step) {
        case TimeStep::RoundedDouble: return static_cast<int>(80.0 * value + 0.5);
        case TimeStep::TruncatedSingle: return static_cast<int>(80.0f * value);
        case TimeStep::TruncatedDouble: return static_cast<int>(80.0 * static_cast<double>(value));
        case TimeStep::None: break;
    }
    return 0;
}

float stepPosition(int step) { return static_cast<float>(step * 0.0125 * 20.0); }
float holdTableCorrected(float c) { return corrected(kHoldTable, c); }
float integrationTableCorrected(float c) { return corrected(kIntegrationTable, c); }
double holdTableMs(float e) { return 100.0 * std::pow(100.0, exponentOf(e)); }
double integrationTableMs(float e) { return std::pow(101.0, exponentOf(e)) - 1.0; }

double vuIntegrationMs(float value) {
    return 53.0330086 * std::pow(32.0, static_cast<int>(200.0 * value + 0.5) / 200.0);
}

double gainForReferenceDb(double referenceDb) { return 1.0 / std::pow(10.0, referenceDb / 20.0); }

double settingWorkingValue(const MeterSetting& setting, float value) {
    const double v = value;
    switch (setting.kind) {
        case K::Reference: return 24.0 * v - 24.0;
        case K::RmsReference: return static_cast<int>(300.0 * v + 0.5) * 0.1 - 20.0;
        case K::VuIntegration: return vuIntegrationMs(value);
        case K::HoldTime:
        case K::IntegrationTime: return timeMsOf(setting, value);
        case K::VuType: return value < 0.5f ? 0.0 : 1.0;
        case K::MidAtten: return static_cast<int>(2.0 * v + 0.5);
        case K::Backlit: return v;
        case K::Overs: return static_cast<int>(9.0 * v + 0.5) + 1;
        case K::LedRef: return static_cast<int>(3.0 * v + 0.5) / 3.0;
        case K::RmsLedRef: return static_cast<int>(6.0 * v + 0.5);
        case K::Switch: return static_cast<int>(v + 0.5);
    }
    return 0.0;
}

void formatSettingDisplay(const MeterSetting& setting, float value, char* text, std::size_t size) {
    if (!text || size == 0) return;
    text[0] = '\0';
    const double working = settingWorkingValue(setting, value);
    switch (setting.kind) {
        case K::Reference:
        case K::RmsReference:
            formatValueText(working, 1, text, size);
            appendUnit(text, size, "dBFS");
            break;
        case K::VuIntegration:
            // The panel shows the movement's time: T' scaled back onto the marks.
            formatValueText(static_cast<int>(1.167 * working * 0.85689802913 + 0.5), 0, text, size);
            appendUnit(text, size, "ms");
            break;
        case K::IntegrationTime:
            formatValueText(static_cast<int>(working + 0.5), 0, text, size);
            appendUnit(text, size, "ms");
            break;
        case K::HoldTime:
            formatValueText(working * 0.001, 2, text, size);
            appendUnit(text, size, "s");
            break;
        default: break;
    }
}

}  // namespace velunor
