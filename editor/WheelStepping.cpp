#include "editor/WheelStepping.h"

namespace velunor::editor {

bool applyWheelStep(CControl& control, float distance, const CButtonState& buttons, float step, float fine) {
    float delta = step * wheelNotch(distance);
    if (buttons & kShift) delta *= fine;
    const float old = control.getValue();
    control.setValue(old + delta);
    if (control.getValue() != old && control.getListener()) {
        control.invalid();
        control.beginEdit();
        control.valueChanged();
        control.endEdit();
    }
    return true;
}

void setValueAndReport(CControl& control, float value) {
    const float old = control.getValue();
    control.setValue(value);
    if (control.getValue() != old) {
        control.valueChanged();
        control.invalid();
    }
}

}  // namespace velunor::editor
