#include "editor/CQVKickButton.h"

#include "gui/CBitmap.h"

namespace {
constexpr int32 kNormalFrame = 0;
constexpr int32 kHoveredFrame = 1;
constexpr int32 kPressedFrame = 2;
}  // namespace

CQVKickButton::CQVKickButton(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                             CBitmap* bitmap, const CPoint& offset)
    : CKickButton(size, listener, tag, heightOfOneImage, bitmap, offset) {}

void CQVKickButton::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        const int32 frame = pressed_ ? kPressedFrame : (hovered_ ? kHoveredFrame : kNormalFrame);
        bitmap->draw(context, size_, CPoint(offset_.x, frame * heightOfOneImage_ + offset_.y), 1.0f);
    }
    setDirty(false);
}

CMouseEventResult CQVKickButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    if (doubleClickOnly && !buttons.isDoubleClick()) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    pressed_ = true;
    setValue(doubleClickOnly && (buttons & kControl) ? 0.5f : 1.0f);
    valueChanged();
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQVKickButton::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventHandled; }

CMouseEventResult CQVKickButton::onMouseUp(CPoint&, const CButtonState&) {
    setValue(0.0f);
    pressed_ = false;
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQVKickButton::onMouseEntered(CPoint&, const CButtonState&) {
    hovered_ = true;
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQVKickButton::onMouseExited(CPoint&, const CButtonState&) {
    hovered_ = false;
    invalid();
    return kMouseEventHandled;
}

CMouseEventResult CQVKickButtonH::onMouseEntered(CPoint& where, const CButtonState& buttons) {
    CQVKickButton::onMouseEntered(where, buttons);
    showHint(getTag(), 0.0f, nullptr);
    return kMouseEventHandled;
}

CMouseEventResult CQVKickButtonH::onMouseExited(CPoint& where, const CButtonState& buttons) {
    CQVKickButton::onMouseExited(where, buttons);
    clearHint();
    return kMouseEventHandled;
}
