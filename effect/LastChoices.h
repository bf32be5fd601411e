#pragma once
// The calibration mode and the meter type chosen last in any instance of this process: a new
// instance starts with them. Never saved.

#include "core/Relaxed.h"

namespace velunor {

struct LastChoices {
    static inline Relaxed<int> calibrationMode{1};  // Session
    static inline Relaxed<int> meterType{0};        // VU
};

}  // namespace velunor
