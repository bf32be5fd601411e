#include "views/CQVXMeter2.h"

#include "gui/CDrawContext.h"

CQVXMeter2::CQVXMeter2(const CRect& size, CControlListener* listener, const CPoint& pivotPoint,
                       float needleInner, float needleOuter, float holdInner, float holdOuter)
    : CControl(size, listener, kClickTag, nullptr),
      needleInnerRadius(needleInner),
      needleOuterRadius(needleOuter),
      holdInnerRadius(holdInner),
      holdOuterRadius(holdOuter),
      pivot(pivotPoint) {
    setValue(0.0f);
}

CQVXMeter2::CQVXMeter2(const velunor::scale::FaceGeometry& g, const CPoint& origin, CControlListener* listener)
    : CQVXMeter2(CRect(origin.x, origin.y, origin.x + g.width, origin.y + g.height), listener,
                 CPoint(origin.x + g.pivot.x, origin.y + g.pivot.y), static_cast<float>(g.needleInnerRadius),
                 static_cast<float>(g.needleOuterRadius), static_cast<float>(g.holdInnerRadius),
                 static_cast<float>(g.holdOuterRadius)) {
    ledBitmap = SharedPointer<CBitmap>(new CBitmap(kLedBitmapId), true);
    ledRect = offsetRect(g.led);
}

CQVXMeter2::CQVXMeter2(const CQVXMeter2& other)
    : CControl(other),
      needleInnerRadius(other.needleInnerRadius),
      needleOuterRadius(other.needleOuterRadius),
      holdInnerRadius(other.holdInnerRadius),
      holdOuterRadius(other.holdOuterRadius),
      pivot(other.pivot),
      ledState(other.ledState),
      showHold(other.showHold),
      ledBitmap(other.ledBitmap),
      ledRect(other.ledRect) {}

void CQVXMeter2::draw(CDrawContext* /*context*/) { setDirty(false); }

CMouseEventResult CQVXMeter2::onMouseDown(CPoint& /*where*/, const CButtonState& buttons) {
    if (!(buttons & kLButton)) return kMouseEventNotHandled;
    if (listener_) listener_->valueChanged(this);
    return kMouseEventHandled;
}

CRect CQVXMeter2::offsetRect(const velunor::scale::Rect& r) const {
    return CRect(size_.left + r.left, size_.top + r.top, size_.left + r.right, size_.top + r.bottom);
}

void CQVXMeter2::preparePen(CDrawContext* context) {
    context->setDrawMode(kAntiAliasing);
    context->setLineStyle(kLineSolid);
    context->setLineWidth(kNeedleLineWidth);
}

void CQVXMeter2::drawLed(CDrawContext* context) const {
    const int32 state = ledState;
    if (state < kLedDark || state > kLedBright) return;
    ledBitmap->draw(context, ledRect, CPoint(0, (state - kLedDark) * kLedFrameHeight), 1.0f);
}

void CQVXMeter2::drawRay(CDrawContext* context, double thetaRadians, double from, double to) const {
    const auto p = velunor::scale::pointOnRay({pivot.x, pivot.y}, from, thetaRadians);
    context->moveTo(CPoint(p.x, p.y));
    lineToRadius(context, thetaRadians, to);
}

void CQVXMeter2::lineToRadius(CDrawContext* context, double thetaRadians, double to) const {
    const auto p = velunor::scale::pointOnRay({pivot.x, pivot.y}, to, thetaRadians);
    context->lineTo(CPoint(p.x, p.y));
}
