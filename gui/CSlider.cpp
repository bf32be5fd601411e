#include "gui/CSlider.h"

#include <cmath>

#include "gui/CBitmap.h"

CSlider::CSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
                 int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, int32 style)
    : CControl(size, listener, tag, background),
      offsetHandle_(offsetHandle),
      rangeHandle_(rangeHandle),
      offset_(offset),
      style_(style) {
    setHandle(handle);
    // A vertical slider has its minimum at the bottom unless told otherwise.
    if ((style_ & kVertical) && !(style_ & (kTop | kBottom))) style_ |= kBottom;
    if (!(style_ & (kHorizontal | kVertical))) style_ |= kHorizontal;
}

CSlider::CSlider(const CSlider& other)
    : CControl(other),
      offsetHandle_(other.offsetHandle_),
      rangeHandle_(other.rangeHandle_),
      offset_(other.offset_),
      style_(other.style_),
      zoomFactor_(other.zoomFactor_) {
    setHandle(other.handle_);
}

CSlider::~CSlider() {
    if (handle_) handle_->forget();
}

void CSlider::setHandle(CBitmap* handle) {
    if (handle) handle->remember();
    if (handle_) handle_->forget();
    handle_ = handle;
    setDirty();
}

CCoord CSlider::getTravel() const {
    const CCoord handleLength = handle_ ? (isHorizontal() ? handle_->getWidth() : handle_->getHeight()) : 0;
    return std::max<CCoord>(0, rangeHandle_ - handleLength);
}

bool CSlider::minimumAtFarEnd() const {
    return isHorizontal() ? (style_ & kRight) != 0 : (style_ & kBottom) != 0;
}

CCoord CSlider::handlePosition(float normalized) const {
    const float n = minimumAtFarEnd() ? 1.0f - normalized : normalized;
    return (isHorizontal() ? offsetHandle_.x : offsetHandle_.y) + std::floor(n * getTravel());
}

CRect CSlider::getHandleRect() const {
    const CCoord w = handle_ ? handle_->getWidth() : 0, h = handle_ ? handle_->getHeight() : 0;
    const CCoord along = handlePosition(getValueNormalized());
    CRect r;
    if (isHorizontal()) r = CRect(size_.left + along, size_.top + offsetHandle_.y, 0, 0);
    else r = CRect(size_.left + offsetHandle_.x, size_.top + along, 0, 0);
    return r.setWidth(w).setHeight(h);
}

void CSlider::draw(CDrawContext* context) {
    if (CBitmap* background = getBackground()) background->draw(context, size_, offset_, getAlphaValue());
    if (handle_) {
        CRect handleRect = getHandleRect();
        handle_->draw(context, handleRect.bound(size_), CPoint(0, 0), getAlphaValue());
    }
    setDirty(false);
}

CMouseEventResult CSlider::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    if (checkDefaultValue(buttons)) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    // Grabbing the handle keeps the grip point under the pointer; a click beside it centres it.
    const CRect handleRect = getHandleRect();
    const CCoord start = axis(handleRect.getTopLeft());
    const CCoord length = isHorizontal() ? handleRect.getWidth() : handleRect.getHeight();
    const CCoord p = axis(where);
    delta_ = (handleRect.pointInside(where)) ? p - start : length / 2;
    oldValue_ = getValue();
    oldPosition_ = p;
    oldButtons_ = buttons;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CSlider::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isEditing() || !buttons.isLeftButton()) return kMouseEventNotHandled;
    const CCoord travel = getTravel();
    if (travel <= 0) return kMouseEventHandled;
    const float old = getValue();
    const float range = getMax() - getMin();
    const CCoord origin = axis(size_.getTopLeft()) + (isHorizontal() ? offsetHandle_.x : offsetHandle_.y);
    const CCoord p = axis(where);
    float n;
    if (buttons & kShift) {
        // Fine: the value follows the pointer's movement, scaled down, from where it was.
        if (!(oldButtons_ & kShift)) {
            oldValue_ = old;
            oldPosition_ = p;
        }
        float step = static_cast<float>((p - oldPosition_) / travel / zoomFactor_);
        if (minimumAtFarEnd()) step = -step;
        n = (oldValue_ - getMin()) / range + step;
    } else {
        n = static_cast<float>((p - origin - delta_) / travel);
        if (minimumAtFarEnd()) n = 1.0f - n;
        oldValue_ = old;
        oldPosition_ = p;
    }
    oldButtons_ = buttons;
    setValue(getMin() + clampControlValue(n, 0.0f, 1.0f) * range);
    dragStepDone(old);
    return kMouseEventHandled;
}

CMouseEventResult CSlider::onMouseUp(CPoint&, const CButtonState&) { return endDrag(); }

bool CSlider::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    return wheelStep(distance, (buttons & kShift) ? wheelInc_ / zoomFactor_ : wheelInc_);
}
