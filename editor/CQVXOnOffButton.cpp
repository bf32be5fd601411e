#include "editor/CQVXOnOffButton.h"

#include "editor/WheelStepping.h"
#include "gui/CBitmap.h"

CQVXOnOffButton::CQVXOnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* bitmap)
    : CControl(size, listener, tag, bitmap) {}

void CQVXOnOffButton::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) bitmap->draw(context, size_, CPoint(0, frameIndex() * getHeight()), 1.0f);
    setDirty(false);
}

CMouseEventResult CQVXOnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    setValue(static_cast<int32>(getValue() + 0.5f) != 0 ? 0.0f : 1.0f);
    setDirty();
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CQVXOnOffButton::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    const float d = invertedWheel ? distance : -distance;
    const float old = getValue();
    const bool on = old >= 0.5f;
    if (!directionalWheel) {
        if (velunor::editor::wheelDirection(d) != 0) setValue(static_cast<int32>(old + 0.5f) != 0 ? 0.0f : 1.0f);
    } else if (on && d < -0.1f) {
        setValue(0.0f);
    } else if (!on && d > 0.1f) {
        setValue(1.0f);
    }
    if (getValue() != old && getListener()) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

CMouseEventResult CQVXOnOffButtonH::onMouseDown(CPoint& where, const CButtonState& buttons) {
    const CMouseEventResult result = CQVXOnOffButton::onMouseDown(where, buttons);
    if (result != kMouseEventNotHandled) showHint(getTag(), getValue(), nullptr);
    return result;
}

bool CQVXOnOffButtonH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    const bool used = CQVXOnOffButton::onWheel(where, distance, buttons);
    showHint(getTag(), getValue(), nullptr);
    return used;
}

CMouseEventResult CQVXOnOffButtonH::onMouseEntered(CPoint&, const CButtonState&) {
    showHint(getTag(), getValue(), nullptr);
    return kMouseEventHandled;
}

CMouseEventResult CQVXOnOffButtonH::onMouseExited(CPoint&, const CButtonState&) {
    clearHint();
    return kMouseEventHandled;
}

CMouseEventResult CQVXOnOffButtonAH::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!isActive()) return kMouseEventHandled;
    return CQVXOnOffButton::onMouseDown(where, buttons);
}

CMouseEventResult CQVXOnOffButtonAH::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isActive()) return kMouseEventHandled;
    return CQVXOnOffButton::onMouseMoved(where, buttons);
}

CMouseEventResult CQVXOnOffButtonAH::onMouseUp(CPoint& where, const CButtonState& buttons) {
    if (!isActive()) return kMouseEventHandled;
    return CQVXOnOffButton::onMouseUp(where, buttons);
}

bool CQVXOnOffButtonAH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    if (!isActive()) return true;
    return CQVXOnOffButton::onWheel(where, distance, buttons);
}

CMouseEventResult CQVXOnOffButtonAH::onMouseEntered(CPoint&, const CButtonState&) {
    if (isActive()) clearHint();
    else showHint(getTag(), 0.0f, nullptr);
    return kMouseEventHandled;
}
