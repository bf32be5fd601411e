#include "tools/velunor-meter/MeterSummary.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "effect/ParameterTable.h"
#include "meters/MeterSettings.h"

namespace velunor::metercli {
namespace {

constexpr std::size_t kOverTimesShown = 10;

double dB(double ratio) { return ratio > 0.0 ? 20.0 * std::log10(ratio) : -INFINITY; }

// Words for the settings the engines give no text of their own, as the back panels label them.
void describeSetting(const MeterSetting& setting, float value, char* text, std::size_t size) {
    const int position = static_cast<int>(settingWorkingValue(setting, value) * (setting.kind == SettingKind::LedRef ? 3.0 : 1.0) + 0.5);
    const bool precise = std::strstr(setting.registryName, "precise") != nullptr;
    static constexpr const char* kLedRefs[] = {"8 dB over the reference", "-3 dBFS", "-1 dBFS", "0 dBFS"};
    switch (setting.kind) {
        case SettingKind::MidAtten: std::snprintf(text, size, "M%d", 3 * position); break;
        case SettingKind::Overs: std::snprintf(text, size, "%d overs", position); break;
        case SettingKind::LedRef: std::snprintf(text, size, "%s", kLedRefs[std::clamp(position, 0, 3)]); break;
        case SettingKind::RmsLedRef: std::snprintf(text, size, "%d dB", position - 6); break;
        case SettingKind::VuType: std::snprintf(text, size, "type %s", position ? "B" : "A"); break;
        case SettingKind::Switch:
            std::snprintf(text, size, "%s", precise ? (position ? "PRECISE" : "CPU SAFE") : (position ? "dBFS" : "dBref"));
            break;
        default: std::snprintf(text, size, "%g", settingWorkingValue(setting, value)); break;
    }
}

}  // namespace

double ppmMark(double db) { return db >= -8.0 ? 4.0 + db / 4.0 : 2.0 + (db + 8.0) / 6.0; }

void MeterSummary::add(double time, const MeterReading& r) {
    ++rows_;
    auto take = [time](Channel& c, double level, double held, double rms, double over) {
        c.highest = std::max(c.highest, level);
        c.highestHeld = std::max(c.highestHeld, held);
        c.highestRms = std::max(c.highestRms, rms);
        if (over == 1.0) c.overTimes.push_back(time);
    };
    take(a_, r.a, r.heldA, r.rmsA, r.overA);
    take(b_, r.b, r.heldB, r.rmsB, r.overB);
}

void MeterSummary::print(std::FILE* out, OfflineMeter& meter) const {
    Templete& effect = meter.effect();
    char text[kHostTextCapacity];
    effect.getParameterDisplay(kMeter, text);
    std::fprintf(out, "meter: %s\nsettings:\n", text);
    for (VstInt32 index : {kProcess, kTrim, kCalibrationMode, kMidSide, kHold, kLagTime}) {
        effect.getParameterDisplay(index, text);
        std::fprintf(out, "  %-20s %-9.6g %s\n", kParameterTable[static_cast<std::size_t>(index)].name,
                     static_cast<double>(effect.getParameter(index)), text);
    }
    const MeterEngine& engine = meter.engine();
    for (const MeterSetting& setting : meterSettingsOf(engine.meterType())) {
        const float v = engine.getParameter(setting.index);
        engine.getParameterDisplay(setting.index, text, sizeof text);
        if (!text[0]) describeSetting(setting, v, text, sizeof text);
        std::fprintf(out, "  %-20s %-9.6g %s\n", setting.registryName, static_cast<double>(v), text);
    }
    std::fprintf(out, "blocks: %ld\nhighest reading:\n", rows_);
    printChannel(out, "A", a_, effect.meterType());
    printChannel(out, "B", b_, effect.meterType());
}

void MeterSummary::printChannel(std::FILE* out, const char* name, const Channel& c, int meterType) const {
    if (rows_ == 0) {
        std::fprintf(out, "  %s: no audio\n", name);
        return;
    }
    if (meterType == 0) {
        std::fprintf(out, "  %s: %.4f (%+.2f VU), held %.4f", name, c.highest, dB(c.highest), c.highestHeld);
    } else {
        const double db = dB(c.highest);
        std::fprintf(out, "  %s: %.4f (%+.2f dB re reference", name, c.highest, db);
        if (meterType == 2) {
            const double mark = ppmMark(db);
            if (mark < 1.0) std::fprintf(out, ", below PPM mark 1");
            else if (mark > 7.0) std::fprintf(out, ", above PPM mark 7");
            else std::fprintf(out, ", PPM mark %.2f", mark);
        }
        std::fprintf(out, "), held %.4f", c.highestHeld);
        if (meterType == 1) std::fprintf(out, ", RMS %.4f (%+.2f dB)", c.highestRms, dB(c.highestRms));
    }
    std::fprintf(out, "; overs: %zu", c.overTimes.size());
    for (std::size_t i = 0; i < c.overTimes.size() && i < kOverTimesShown; ++i)
        std::fprintf(out, "%s%.3f s", i == 0 ? " at " : ", ", c.overTimes[i]);
    if (c.overTimes.size() > kOverTimesShown) std::fprintf(out, ", ...");
    std::fprintf(out, "\n");
}

}  // namespace velunor::metercli
