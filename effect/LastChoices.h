#pragma once
// The meter type chosen last in any instance of this process: a new instance starts with it. Never
// saved. (The last calibration mode lives with the calibration stores, which the engines read.)

#include "core/Relaxed.h"

namespace velunor {

struct LastChoices {
    static inline Relaxed<int> meterType{0};  // VU
};

}  // namespace velunor
