#include "editor/CAnimKnob4.h"

#include "editor/WheelStepping.h"
#include "gui/CBitmap.h"

CAnimKnob4::CAnimKnob4(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                       CCoord heightOfOneImage, CBitmap* bitmap, const CPoint& offset)
    : CAnimKnob(size, listener, tag, subPixmaps, heightOfOneImage, bitmap, offset) {}

void CAnimKnob4::drawFrame(CDrawContext* context, int32 frame) {
    if (CBitmap* bitmap = getBackground()) bitmap->draw(context, size_, CPoint(0, frame * heightOfOneImage_), 1.0f);
    setDirty(false);
}

void CAnimKnob4::draw(CDrawContext* context) {
    const float v = getValue();
    drawFrame(context, v <= 0.0f ? 0 : static_cast<int32>(static_cast<float>(subPixmaps_ - 1) * v + 0.5f));
}

CCoord CAnimKnob4::rangeFor(const CButtonState& buttons) const {
    const CCoord range = kSweepPixels * dragScale;
    return (buttons & kShift) ? range * fineDivisor : range;
}

CMouseEventResult CAnimKnob4::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton() || !getListener()) return kMouseEventNotHandled;
    beginEdit();
    if ((buttons & kControl) || buttons.isDoubleClick()) {
        velunor::editor::setValueAndReport(*this, getDefaultValue());
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    startValue_ = getValue();
    firstPoint_ = where;
    range_ = rangeFor(buttons);
    coefficient_ = range_ > 0 ? static_cast<float>((getMax() - getMin()) / range_) : 0.0f;
    pressButtons_ = buttons;
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob4::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton() || !pressButtons_) return kMouseEventNotHandled;
    const float diff = static_cast<float>((where.x - firstPoint_.x) + (firstPoint_.y - where.y));
    if (static_cast<int32>(buttons) != pressButtons_) {
        // Shift changed midway: the new scale starts from the value reached so far.
        const float old = coefficient_;
        range_ = rangeFor(buttons);
        coefficient_ = range_ > 0 ? static_cast<float>((getMax() - getMin()) / range_) : 0.0f;
        startValue_ += (old - coefficient_) * diff;
        pressButtons_ = buttons;
    }
    velunor::editor::setValueAndReport(*this, startValue_ + diff * coefficient_);
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob4::onMouseUp(CPoint&, const CButtonState&) {
    pressButtons_ = 0;
    endEdit();
    return kMouseEventHandled;
}

bool CAnimKnob4::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    return velunor::editor::applyWheelStep(*this, distance, buttons, wheelStep, wheelFineFactor);
}
