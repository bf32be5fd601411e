#include "views/CQVXVUMeter2.h"

#include <algorithm>
#include <cmath>

#include "gui/CDrawContext.h"

namespace {

constexpr CColor kNeedleColor = MakeCColor(50, 45, 30, 255);
constexpr CColor kHoldColor = MakeCColor(220, 0, 0, 255);

const velunor::scale::FaceGeometry& kFace = velunor::scale::kVuFace;

// The law has no clamp, and a level without a value would hand the drawing backend a point that
// is not a number: such a needle rests instead.
double needleAngle(float level) {
    constexpr float kRestLevel = -0.05f;
    return velunor::scale::vuAngleRadians(std::isfinite(level) ? level : kRestLevel);
}

}  // namespace

CQVXVUMeter2::CQVXVUMeter2(const CPoint& origin, CControlListener* listener)
    : CQVXMeter2(kFace, origin, listener),
      faceBitmap(new CBitmap(kFaceBitmapId), true),
      stripRect(offsetRect(kFace.strip)) {
}

CQVXVUMeter2::~CQVXVUMeter2() = default;

void CQVXVUMeter2::draw(CDrawContext* context) {
    if (!hasLed() || !faceBitmap->isLoaded()) {
        setDirty(false);
        return;
    }
    // A tint beyond the strip would show no face at all.
    const int32 tint = std::clamp<int32>(tintIndex, 0, velunor::scale::kVuTintCount - 1);
    const CCoord frameTop = tint * kFace.height;

    preparePen(context);
    faceBitmap->draw(context, size_, CPoint(0, frameTop));
    drawLed(context);
    const double needle = needleAngle(needleValue);
    const double hold = needleAngle(holdValue);
    context->setFrameColor(kNeedleColor);
    drawRay(context, needle, needleInnerRadius, needleOuterRadius);
    if (showHold) {
        context->setFrameColor(kHoldColor);
        drawRay(context, hold, holdInnerRadius, holdOuterRadius);
    }
    faceBitmap->draw(context, stripRect, CPoint(0, frameTop + kFace.faceHeight));
    setDirty(false);
}
