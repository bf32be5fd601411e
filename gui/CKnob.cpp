#include "gui/CKnob.h"

#include <cmath>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"

CKnob::CKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset)
    : CControl(size, listener, tag, background), offset_(offset) {
    setHandleBitmap(handle);
}

CKnob::CKnob(const CKnob& other)
    : CControl(other), offset_(other.offset_), colorHandle_(other.colorHandle_), inset_(other.inset_),
      zoomFactor_(other.zoomFactor_) {
    setHandleBitmap(other.handleBitmap_);
}

CKnob::~CKnob() {
    if (handleBitmap_) handleBitmap_->forget();
}

void CKnob::setHandleBitmap(CBitmap* handle) {
    if (handle) handle->remember();
    if (handleBitmap_) handleBitmap_->forget();
    handleBitmap_ = handle;
}

CPoint CKnob::valueToPoint(float normalized) const {
    const double angle = kStartAngle + normalized * kRangeAngle;
    const CPoint c = size_.getCenter();
    const double radius = std::min(getWidth(), getHeight()) / 2 - inset_;
    return {c.x + std::cos(angle) * radius, c.y - std::sin(angle) * radius};
}

float CKnob::angleToValue(const CPoint& where) const {
    const CPoint c = size_.getCenter();
    double angle = std::atan2(c.y - where.y, where.x - c.x);
    // Measured from the start of the arc, clockwise.
    double fromStart = kStartAngle - angle;
    while (fromStart < 0) fromStart += 2 * M_PI;
    while (fromStart >= 2 * M_PI) fromStart -= 2 * M_PI;
    const double sweep = -kRangeAngle;
    if (fromStart > sweep) fromStart = fromStart - sweep < (2 * M_PI - sweep) / 2 ? sweep : 0;
    return static_cast<float>(fromStart / sweep);
}

void CKnob::draw(CDrawContext* context) {
    if (CBitmap* background = getBackground()) background->draw(context, size_, offset_, getAlphaValue());
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context) {
    const CPoint tip = valueToPoint(getValueNormalized());
    if (handleBitmap_) {
        const CCoord w = handleBitmap_->getWidth(), h = handleBitmap_->getHeight();
        CRect r(tip.x - w / 2, tip.y - h / 2, tip.x + w / 2, tip.y + h / 2);
        handleBitmap_->draw(context, r, CPoint(0, 0), getAlphaValue());
        return;
    }
    context->saveGlobalState();
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(2);
    context->setFrameColor(colorHandle_);
    context->moveTo(size_.getCenter());
    context->lineTo(tip);
    context->restoreGlobalState();
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    if (checkDefaultValue(buttons)) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    firstPoint_ = where;
    entryValue_ = getValue();
    entryButtons_ = buttons;
    mode_ = getFrame() ? getFrame()->getKnobMode() : kCircularMode;
    beginEdit();
    if (mode_ == kLinearMode) return kMouseEventHandled;
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isEditing() || !buttons.isLeftButton()) return kMouseEventNotHandled;
    const float old = getValue();
    const float range = getMax() - getMin();
    if (mode_ == kLinearMode) {
        // Shift pressed or released mid-drag continues from the current value without a jump.
        if ((buttons & kShift) != (entryButtons_ & kShift)) {
            entryValue_ = old;
            firstPoint_ = where;
            entryButtons_ = buttons;
        }
        const CCoord pixels = kLinearRangePixels * ((buttons & kShift) ? zoomFactor_ : 1.0f);
        const CCoord diff = (where.x - firstPoint_.x) + (firstPoint_.y - where.y);
        setValue(entryValue_ + static_cast<float>(diff / pixels) * range);
    } else {
        setValue(getMin() + angleToValue(where) * range);
    }
    dragStepDone(old);
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) { return endDrag(); }

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    return wheelStep(distance, (buttons & kShift) ? wheelInc_ / zoomFactor_ : wheelInc_);
}
