#include "editor/CQVXHorizontalSwitch.h"

#include "editor/WheelStepping.h"

bool CQVXHorizontalSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    const int32 n = getNumSubPixmaps();
    if (n < 2) return true;
    const float positions = static_cast<float>(n - 1);
    float value = getValue() + static_cast<float>(velunor::editor::wheelDirection(distance)) / positions;
    value = static_cast<float>(static_cast<int32>(positions * value + 0.5f)) / positions;
    velunor::editor::setValueAndReport(*this, value);
    return true;
}

CMouseEventResult CQVXHorizontalSwitchAH::onMouseDown(CPoint& where, const CButtonState& buttons) {
    return isActive() ? CQVXHorizontalSwitch::onMouseDown(where, buttons) : kMouseEventHandled;
}
CMouseEventResult CQVXHorizontalSwitchAH::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    return isActive() ? CQVXHorizontalSwitch::onMouseMoved(where, buttons) : kMouseEventHandled;
}
CMouseEventResult CQVXHorizontalSwitchAH::onMouseUp(CPoint& where, const CButtonState& buttons) {
    return isActive() || isEditing() ? CQVXHorizontalSwitch::onMouseUp(where, buttons) : kMouseEventHandled;
}
bool CQVXHorizontalSwitchAH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    return isActive() ? CQVXHorizontalSwitch::onWheel(where, distance, buttons) : true;
}

CMouseEventResult CQVXHorizontalSwitchAH::onMouseEntered(CPoint&, const CButtonState&) {
    if (isActive()) clearHint();
    else showHint(getTag(), 0.0f, nullptr);
    return kMouseEventHandled;
}

CMouseEventResult CQVXHorizontalSwitchAH::onMouseExited(CPoint&, const CButtonState&) {
    clearHint();
    return kMouseEventHandled;
}
