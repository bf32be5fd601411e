#include "gui/CRockerSwitch.h"

#include "gui/CBitmap.h"

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                             CBitmap* background, const CPoint& offset, int32 style)
    : CControl(size, listener, tag, background), heightOfOneImage_(heightOfOneImage), offset_(offset), style_(style) {
    setMin(-1.0f);
    setMax(1.0f);
    setDefaultValue(0.0f);
    setValue(0.0f);
}

void CRockerSwitch::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        const int32 frame = getValue() <= getMin() ? 0 : (getValue() >= getMax() ? 2 : 1);
        bitmap->draw(context, size_, CPoint(offset_.x, offset_.y + frame * heightOfOneImage_), getAlphaValue());
    }
    setDirty(false);
}

void CRockerSwitch::report(float value) {
    if (value == getValue()) return;
    setValue(value);
    valueChanged();
    invalid();
}

CMouseEventResult CRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CRockerSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isEditing() || !buttons.isLeftButton()) return kMouseEventNotHandled;
    const CPoint c = size_.getCenter();
    if (!size_.pointInside(where)) report(restValue());
    else if (style_ & kVertical) report(where.y < c.y ? getMax() : getMin());
    else report(where.x < c.x ? getMin() : getMax());
    return kMouseEventHandled;
}

CMouseEventResult CRockerSwitch::onMouseUp(CPoint&, const CButtonState&) {
    if (!isEditing()) return kMouseEventNotHandled;
    report(restValue());
    endEdit();
    return kMouseEventHandled;
}

bool CRockerSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    if (distance == 0) return true;
    beginEdit();
    report(distance > 0 ? getMax() : getMin());
    report(restValue());
    endEdit();
    return true;
}
