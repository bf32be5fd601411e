#include "gui/COnOffButton.h"

#include "gui/CBitmap.h"

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background)
    : CControl(size, listener, tag, background) {}

void COnOffButton::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        const CCoord offsetY = getValue() == getMax() ? bitmap->getHeight() / 2 : 0;
        bitmap->draw(context, size_, CPoint(0, offsetY), getAlphaValue());
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    value_ = getValue() == getMax() ? getMin() : getMax();
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
