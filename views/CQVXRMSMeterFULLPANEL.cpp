#include "views/CQVXRMSMeterFULLPANEL.h"

#include <cmath>

#include "views/CQVXRMSMeter2.h"
#include "views/LevelClamp.h"
#include "views/RMSBackPanel.h"

namespace {

const CQVXMeterFULLPANEL::MeterLook kRmsLook{1,     41001, 41005, 41011, 41012, 41006,
                                            CQVXRMSMeterFULLPANEL::kReferenceIndex, 0.667f, 0.3f, 1.0f / 30.0f};

}  // namespace

bool CQVXRMSMeterFULLPANEL::open(CFrame* frame, CBitmap* /*background*/) { return openMeter(frame, kRmsLook); }

CQVXMeter2* CQVXRMSMeterFULLPANEL::createFace(const CPoint& origin) { return new CQVXRMSMeter2(origin, editor()); }

std::unique_ptr<BackPanel> CQVXRMSMeterFULLPANEL::createBackPanel() {
    return std::make_unique<RMSBackPanel>(effect(), editor());
}

void CQVXRMSMeterFULLPANEL::parameterChanged(VstInt32 index, float value) {
    if (!isOpen()) return;
    CQVXMeterFULLPANEL::parameterChanged(index, value);
    if (index == kReferenceIndex) refreshReferenceText();
}

void CQVXRMSMeterFULLPANEL::showReading(CQVXMeter2* view, const Reading& reading) {
    auto* rms = static_cast<CQVXRMSMeter2*>(view);
    rms->peakValue = velunor::views::clampLevel(reading.level);
    rms->holdValue = velunor::views::clampLevel(reading.held);
    // A negative or non-finite mean square would hand the face a NaN; it rests the needle instead.
    rms->rmsValue = velunor::views::clampLevel(std::sqrt(reading.meanSquare) * 1.4142);
}
