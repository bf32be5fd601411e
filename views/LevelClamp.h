#pragma once
// The range the PPM and RMS faces take: from just above silence to 30 dB over the scale's
// reference. A value that is not a number rests the needle.

#include <cmath>

namespace velunor::views {

constexpr float kLevelFloor = 0.0001f;
constexpr float kLevelCeiling = 32.0f;

inline float clampLevel(double value) {
    if (std::isnan(value) || value < kLevelFloor) return kLevelFloor;
    if (value > kLevelCeiling) return kLevelCeiling;
    return static_cast<float>(value);
}

}  // namespace velunor::views
