#include "views/CQVXPPMMeter2.h"

#include "gui/CDrawContext.h"

namespace {

constexpr CColor kNeedleColor = MakeCColor(229, 218, 202, 255);
constexpr CColor kHoldColor = MakeCColor(220, 0, 0, 255);

const velunor::scale::FaceGeometry& kFace = velunor::scale::kPpmFace;

}  // namespace

CQVXPPMMeter2::CQVXPPMMeter2(const CPoint& origin, CControlListener* listener)
    : CQVXMeter2(kFace, origin, listener) {}

void CQVXPPMMeter2::draw(CDrawContext* context) {
    if (!hasLed()) {
        setDirty(false);
        return;
    }
    preparePen(context);
    drawLed(context);
    context->setFrameColor(kNeedleColor);
    drawRay(context, velunor::scale::ppmAngleRadians(needleValue), needleInnerRadius, needleOuterRadius);
    if (showHold) {
        context->setFrameColor(kHoldColor);
        drawRay(context, velunor::scale::ppmAngleRadians(holdValue), holdInnerRadius, holdOuterRadius);
    }
    setDirty(false);
}
