#include "editor/CQVXMeterSelectorControl.h"

#include "editor/WheelStepping.h"
#include "gui/CBitmap.h"

CQVXMeterSelectorControl::CQVXMeterSelectorControl(const CRect& size, CControlListener* listener, CBitmap* bitmap)
    : CControl(size, listener, kTag, bitmap),
      leftEdge_(static_cast<int32>(size.left) + kArrowWidth),
      rightEdge_(static_cast<int32>(size.right) - kArrowWidth),
      backPanelButton_(new CQVXOnOffButton(size, listener, kBackPanelTag, bitmap)) {
    backPanelButton_->setValue(1.0f);
}

CQVXMeterSelectorControl::CQVXMeterSelectorControl(const CQVXMeterSelectorControl& other)
    : CControl(other),
      CQVXHintControl(other),
      leftEdge_(other.leftEdge_),
      rightEdge_(other.rightEdge_),
      backPanelButton_(static_cast<CQVXOnOffButton*>(other.backPanelButton_->newCopy())) {}

CQVXMeterSelectorControl::~CQVXMeterSelectorControl() { backPanelButton_->forget(); }

int32 CQVXMeterSelectorControl::zoneAt(CCoord x) const {
    if (x <= leftEdge_) return kLeftZone;
    if (x >= rightEdge_) return kRightZone;
    return kNoZone;
}

void CQVXMeterSelectorControl::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        const int32 frame = hoverZone_ == kLeftZone ? 1 : (hoverZone_ == kRightZone ? 2 : 0);
        bitmap->draw(context, size_, CPoint(0, frame * getHeight()), 1.0f);
    }
    setDirty(false);
}

CMouseEventResult CQVXMeterSelectorControl::onMouseMoved(CPoint& where, const CButtonState&) {
    hoverZone_ = zoneAt(where.x);
    setDirty();
    showZoneHint();
    return kMouseEventHandled;
}

CMouseEventResult CQVXMeterSelectorControl::onMouseExited(CPoint&, const CButtonState&) {
    hoverZone_ = kNoZone;
    setDirty();
    showZoneHint();
    return kMouseEventHandled;
}

CMouseEventResult CQVXMeterSelectorControl::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    int32 index = getMeterIndex();
    const int32 zone = zoneAt(where.x);
    if (zone == kNoZone) {
        if (CControlListener* listener = getListener()) listener->valueChanged(backPanelButton_);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    index = zone == kLeftZone ? (index <= 0 ? 2 : index - 1) : (index >= 2 ? 0 : index + 1);
    setValue(static_cast<float>(std::clamp(index, 0, 2)) * 0.5f);
    valueChanged();
    invalid();
    showZoneHint();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CQVXMeterSelectorControl::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    float value = getValue() + 0.5f * static_cast<float>(velunor::editor::wheelDirection(distance));
    value = static_cast<float>(static_cast<int32>(value * 2.0f + 0.5f)) / 2.0f;
    velunor::editor::setValueAndReport(*this, clampControlValue(value, getMin(), getMax()));
    showZoneHint();
    return true;
}
