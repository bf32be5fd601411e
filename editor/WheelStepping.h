#pragma once
// The wheel rules the plug-in's controls share.

#include "gui/CControl.h"

namespace velunor::editor {

// A notch above 0.1 counts +1, below -0.1 counts -1; smaller distances stay as they are.
constexpr float wheelNotch(float distance) {
    return distance > 0.1f ? 1.0f : (distance < -0.1f ? -1.0f : distance);
}
// For the controls that only step: 0 for a distance too small to be a notch.
constexpr int wheelDirection(float distance) { return distance > 0.1f ? 1 : (distance < -0.1f ? -1 : 0); }

// value + step x notch (x fine with Shift), clamped; a change is redrawn and reported as one
// gesture. Always true: the wheel was used.
bool applyWheelStep(CControl& control, float distance, const CButtonState& buttons, float step, float fine);

// Sets `value` and, when it differs from the old one, tells the listener and redraws.
void setValueAndReport(CControl& control, float value);

}  // namespace velunor::editor
