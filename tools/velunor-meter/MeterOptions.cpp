#include "tools/velunor-meter/MeterOptions.h"

#include <cmath>

#include "effect/ParameterTable.h"
#include "meters/MeterSettings.h"
#include "tools/cli/ArgumentReader.h"
#include "tools/cli/StrictNumber.h"

namespace velunor::metercli {

VstInt32 parameterIndexOf(const std::string& name) {
    for (std::size_t i = 0; i < kParameterTable.size(); ++i)
        if (name == kParameterTable[i].name) return static_cast<VstInt32>(i);
    for (const MeterSetting& setting : kMeterSettings)
        if (name == setting.registryName) return setting.index;
    return -1;
}

bool parseMeterOptions(const std::vector<std::string>& args, MeterOptions& o, std::string& error) {
    cli::ArgumentReader words(args);
    while (words.next()) {
        const std::string& a = words.current();
        std::string v;
        if (a == "--meter") {
            if (!words.value(v)) return error = "--meter needs vu, ppm or rms", false;
            if (v == "vu") o.meterType = 0;
            else if (v == "rms") o.meterType = 1;
            else if (v == "ppm") o.meterType = 2;
            else return error = "unknown meter '" + v + "' (vu, ppm or rms)", false;
        } else if (a == "--set") {
            if (!words.value(v)) return error = "--set needs NAME=VALUE", false;
            const std::size_t eq = v.find('=');
            if (eq == std::string::npos) return error = "--set needs NAME=VALUE (got '" + v + "')", false;
            Setting s{v.substr(0, eq), -1, 0.0f};
            s.index = parameterIndexOf(s.name);
            if (s.index < 0) return error = "unknown parameter or setting name '" + s.name + "'", false;
            double number = 0.0;
            if (!cli::parseDouble(v.substr(eq + 1), number))
                return error = "value '" + v.substr(eq + 1) + "' of " + s.name + " is not a number", false;
            s.value = static_cast<float>(number);
            o.settings.push_back(s);
        } else if (a == "--tick-ms") {
            if (!words.value(v) || !cli::parseDouble(v, o.tickMs) || o.tickMs < 0.0)
                return error = "--tick-ms needs a number of milliseconds (got '" + v + "')", false;
        } else if (a == "--csv") {
            if (!words.value(o.csvPath) || o.csvPath.empty()) return error = "--csv needs a file name or -", false;
        } else if (words.isOption()) {
            return error = "unknown option '" + a + "'", false;
        } else if (o.wavPath.empty()) {
            o.wavPath = a;
        } else {
            return error = "one WAV file only (got '" + o.wavPath + "' and '" + a + "')", false;
        }
    }
    if (o.wavPath.empty()) return error = "no WAV file given", false;
    return true;
}

long blockFrames(double sampleRate, double tickMs) {
    const double frames = std::floor(sampleRate * tickMs / 1000.0 + 0.5);
    return frames < 1.0 ? 1 : frames > 1e9 ? 1000000000L : static_cast<long>(frames);
}

}  // namespace velunor::metercli
