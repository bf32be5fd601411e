#pragma once
// The command line of velunor-meter:
//   velunor-meter [--meter vu|ppm|rms] [--set NAME=VALUE ...] [--tick-ms N] [--csv FILE|-] FILE.wav
// Names are the effect's parameter names ("Trim", "LR/MS", "GSIcal", ...) and the meter settings'
// registry names ("Avureference", "Appmreturn", ...); values are normalised.

#include <string>
#include <vector>

#include "host/VstAbi.h"

namespace velunor::metercli {

struct Setting {
    std::string name;
    VstInt32 index;
    float value;
};

struct MeterOptions {
    int meterType = 0;  // 0 VU, 1 RMS, 2 PPM, as "Meter" numbers them
    std::vector<Setting> settings;  // in command-line order
    double tickMs = 10.0;
    std::string csvPath;  // empty: no CSV; "-": standard output
    std::string wavPath;
};

// The parameter index of a name as the effect spells it; -1 for an unknown name.
VstInt32 parameterIndexOf(const std::string& name);

// False with a message naming the bad option, name or value.
bool parseMeterOptions(const std::vector<std::string>& args, MeterOptions& options, std::string& error);

// Frames per block: max(1, floor(rate x tick / 1000 + 0.5)).
long blockFrames(double sampleRate, double tickMs);

}  // namespace velunor::metercli
