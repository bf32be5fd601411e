#include "views/CQVXRMSMeter2.h"

#include "gui/CDrawContext.h"

namespace {

constexpr CColor kRmsNeedleColor = MakeCColor(140, 118, 108, 255);
constexpr CColor kRmsCentreLineColor = MakeCColor(0, 0, 0, 255);
constexpr CCoord kRmsCentreLineWidth = 0.6;
constexpr CColor kPeakBodyColor = MakeCColor(237, 230, 201, 255);
constexpr CColor kPeakTipColor = MakeCColor(160, 0, 0, 220);
constexpr CColor kHoldColor = MakeCColor(255, 0, 0, 130);

const velunor::scale::FaceGeometry& kFace = velunor::scale::kRmsFace;

}  // namespace

CQVXRMSMeter2::CQVXRMSMeter2(const CPoint& origin, CControlListener* listener)
    : CQVXMeter2(kFace, origin, listener) {}

void CQVXRMSMeter2::draw(CDrawContext* context) {
    if (!hasLed()) {
        setDirty(false);
        return;
    }
    using velunor::scale::rmsAngleRadians;
    preparePen(context);
    drawLed(context);
    const double rms = rmsAngleRadians(rmsValue);
    const double peak = rmsAngleRadians(peakValue);
    const double hold = rmsAngleRadians(holdValue);

    // The RMS needle, then a thin dark line back down its middle.
    context->setFrameColor(kRmsNeedleColor);
    drawRay(context, rms, needleInnerRadius, needleOuterRadius);
    context->setFrameColor(kRmsCentreLineColor);
    context->setLineWidth(kRmsCentreLineWidth);
    lineToRadius(context, rms, needleInnerRadius);

    // The peak needle on top: a faint cream body and, drawn back over its outer end, a red tip.
    context->setLineWidth(kNeedleLineWidth);
    context->setFrameColor(kPeakBodyColor);
    drawRay(context, peak, needleInnerRadius, needleOuterRadius);
    context->setFrameColor(kPeakTipColor);
    lineToRadius(context, peak, holdInnerRadius);

    if (showHold) {
        context->setFrameColor(kHoldColor);
        drawRay(context, hold, holdInnerRadius, holdOuterRadius);
    }
    setDirty(false);
}
