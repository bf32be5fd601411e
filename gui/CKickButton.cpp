#include "gui/CKickButton.h"

#include "gui/CBitmap.h"

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), heightOfOneImage_(heightOfOneImage), offset_(offset) {}

void CKickButton::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        CPoint where = offset_;
        if (getValue() == getMax()) where.y += heightOfOneImage_;
        bitmap->draw(context, size_, where, getAlphaValue());
    }
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isEditing()) return kMouseEventNotHandled;
    if (buttons.isLeftButton()) {
        const float old = getValue();
        value_ = size_.pointInside(where) ? getMax() : getMin();
        if (getValue() != old) {
            valueChanged();
            invalid();
        }
    }
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
    if (!isEditing()) return kMouseEventNotHandled;
    if (getValue() != getMin()) {
        value_ = getMin();
        valueChanged();
        invalid();
    }
    endEdit();
    return kMouseEventHandled;
}
