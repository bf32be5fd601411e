#include "effect/ParameterTable.h"

#include <cmath>

namespace velunor {

namespace {
constexpr std::array<const char*, 3> kOutIn{"Out", "In", nullptr};
constexpr std::array<const char*, 3> kHideShow{"Hide", "Show", nullptr};
}  // namespace

// clang-format off
const std::array<ParameterInfo, kPublicParameterCount> kParameterTable{{
    {"Process", StepRule::Switch,   DisplayRule::Choice,    2, {"Off", "On", nullptr},                 "Off",   0.0f,   false},
    {"Trim",    StepRule::Fine,     DisplayRule::TrimDb,    0, {},                                     nullptr, 0.0f,   false},
    {"GSIcal",  StepRule::ThreeWay, DisplayRule::Choice,    3, {"Global", "Session", "Instance"},      "None",  0.0f,   true},
    {"Meter",   StepRule::Switch,   DisplayRule::Choice,    3, {"VUK", "RMSK", "PPMK"},                "VUK",   0.0f,   false},
    {"LR/MS",   StepRule::Switch,   DisplayRule::Choice,    2, {"LR", "MS", nullptr},                  "LR",    0.0f,   true},
    {"Hold",    StepRule::ThreeWay, DisplayRule::Choice,    3, {"Off", "oo", "On"},                    "UNDEF", 0.0f,   true},
    {"Strips",  StepRule::Switch,   DisplayRule::Choice,    2, kHideShow,                              "Hide",  0.0f,   false},
    {"ShowFlt", StepRule::Switch,   DisplayRule::Choice,    2, kHideShow,                              "Hide",  0.0f,   false},
    {"ProcFlt", StepRule::Switch,   DisplayRule::Choice,    2, kOutIn,                                 "Out",   0.0f,   false},
    {"HPStat",  StepRule::Switch,   DisplayRule::Choice,    2, kOutIn,                                 "UNDEF", 0.0f,   false},
    {"HPSlope", StepRule::Switch,   DisplayRule::Choice,    2, {"12", "24", nullptr},                  "UNDEF", 0.0f,   false},
    {"HPFreq",  StepRule::Fine,     DisplayRule::Frequency, 0, {},                                     nullptr, 20.0f,  false},
    {"LPStat",  StepRule::Switch,   DisplayRule::Choice,    2, kOutIn,                                 "UNDEF", 0.0f,   false},
    {"LPSlope", StepRule::Switch,   DisplayRule::Choice,    2, {"6", "18", nullptr},                   "UNDEF", 0.0f,   false},
    {"LPFreq",  StepRule::Fine,     DisplayRule::Frequency, 0, {},                                     nullptr, 300.0f, false},
    {"ShowLbl", StepRule::Switch,   DisplayRule::Choice,    2, kHideShow,                              "Hide",  0.0f,   false},
    {"LagTime", StepRule::LagTime,  DisplayRule::LagTime,   0, {},                                     nullptr, 0.0f,   true},
}};
// clang-format on

double trimDbFromNormalised(float v) {
    // The step count in single precision, so that 0.50125 is the first step above 0 dB.
    return static_cast<int>(v * 400.0f + 0.5f) * 0.1 - 20.0;
}

float trimGainFromDb(double db) { return static_cast<float>(std::pow(10.0, db * 0.05)); }

}  // namespace velunor
