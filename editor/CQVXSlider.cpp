#include "editor/CQVXSlider.h"

#include "editor/WheelStepping.h"
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

namespace {
constexpr float kInactiveAlpha = 0.5f;
}  // namespace

CQVXSlider::CQVXSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
                       int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, int32 style)
    : CSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style) {}

CMouseEventResult CQVXSlider::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    if (buttons.isDoubleClick()) {
        velunor::editor::setValueAndReport(*this, getDefaultValue());
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    lastPosition_ = along(where);
    pressButtons_ = buttons;
    dragging_ = false;
    return kMouseEventHandled;
}

CMouseEventResult CQVXSlider::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton() || !pressButtons_) return kMouseEventNotHandled;
    const CCoord travel = getTravel();
    if (travel <= 0) return kMouseEventHandled;
    CBitmap* handle = getHandle();
    const CCoord handleLength = handle ? (isHorizontal() ? handle->getWidth() : handle->getHeight()) : 0;
    const float n = getValue();
    const CCoord origin = along(size_.getTopLeft());
    const CCoord start = isHorizontal() ? n * travel + origin : (1.0 - n) * travel + origin;
    const CCoord end = start + handleLength;
    const CCoord pointer = along(where);
    const bool shift = (buttons & kShift) != 0;

    float next;
    if ((lastPosition_ >= start && lastPosition_ <= end) || (shift && dragging_)) {
        // On the handle, or a fine drag that carries on beside it: a step relative to the pointer.
        dragging_ = true;
        float delta = static_cast<float>((lastPosition_ - pointer) / travel);
        if (shift) delta *= fineFactor_;
        next = isHorizontal() ? n - delta : n + delta;
        if (next < getMin() || next > getMax()) next = clampControlValue(next, getMin(), getMax());
        else lastPosition_ = pointer;
    } else if (dragging_) {
        // Back from beside the handle: the handle jumps to where the pointer was.
        if (isHorizontal()) {
            const CCoord minimumPosition = getMin() * travel + origin;
            if (lastPosition_ >= getMax() * travel + origin) next = getMax();
            else if (lastPosition_ <= minimumPosition) next = getMin();
            else next = static_cast<float>((lastPosition_ - minimumPosition - handleLength / 2) / travel);
        } else {
            if (lastPosition_ <= origin) next = 1.0f;
            else if (lastPosition_ >= origin + travel) next = 0.0f;
            else next = static_cast<float>(1.0 - (lastPosition_ - origin - handleLength / 2) / travel);
        }
        lastPosition_ = pointer;
    } else {
        return kMouseEventHandled;
    }
    velunor::editor::setValueAndReport(*this, next);
    return kMouseEventHandled;
}

CMouseEventResult CQVXSlider::onMouseUp(CPoint&, const CButtonState&) {
    dragging_ = false;
    pressButtons_ = 0;
    endEdit();
    return kMouseEventHandled;
}

bool CQVXSlider::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    return velunor::editor::applyWheelStep(*this, distance, buttons, wheelStep, wheelFineFactor);
}

void CQVXSliderAH::draw(CDrawContext* context) {
    if (isActive()) {
        CQVXSlider::draw(context);
        return;
    }
    context->saveGlobalState();
    context->setGlobalAlpha(context->getGlobalAlpha() * kInactiveAlpha);
    CQVXSlider::draw(context);
    context->restoreGlobalState();
}

CMouseEventResult CQVXSliderAH::onMouseDown(CPoint& where, const CButtonState& buttons) {
    return isActive() ? CQVXSlider::onMouseDown(where, buttons) : kMouseEventHandled;
}
CMouseEventResult CQVXSliderAH::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    return isActive() ? CQVXSlider::onMouseMoved(where, buttons) : kMouseEventHandled;
}
CMouseEventResult CQVXSliderAH::onMouseUp(CPoint& where, const CButtonState& buttons) {
    // A drag that PROCESS switched off midway still ends its gesture at the host.
    return isActive() || isEditing() ? CQVXSlider::onMouseUp(where, buttons) : kMouseEventHandled;
}
bool CQVXSliderAH::onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) {
    return isActive() ? CQVXSlider::onWheel(where, distance, buttons) : true;
}

CMouseEventResult CQVXSliderAH::onMouseEntered(CPoint&, const CButtonState&) {
    if (isActive()) clearHint();
    else showHint(getTag(), 0.0f, nullptr);
    return kMouseEventHandled;
}

CMouseEventResult CQVXSliderAH::onMouseExited(CPoint&, const CButtonState&) {
    clearHint();
    return kMouseEventHandled;
}
