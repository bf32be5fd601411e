#include "views/CQVXPPMMeterFULLPANEL.h"

#include "views/CQVXPPMMeter2.h"
#include "views/LevelClamp.h"
#include "views/PPMBackPanel.h"

namespace {

const CQVXMeterFULLPANEL::MeterLook kPpmLook{2,     42001, 42005, 42011, 42012, 42006,
                                            CQVXPPMMeterFULLPANEL::kReferenceIndex, 0.5f, 0.5f, 1.0f / 24.0f};

}  // namespace

bool CQVXPPMMeterFULLPANEL::open(CFrame* frame, CBitmap* /*background*/) { return openMeter(frame, kPpmLook); }

CQVXMeter2* CQVXPPMMeterFULLPANEL::createFace(const CPoint& origin) { return new CQVXPPMMeter2(origin, editor()); }

std::unique_ptr<BackPanel> CQVXPPMMeterFULLPANEL::createBackPanel() {
    return std::make_unique<PPMBackPanel>(effect(), editor());
}

void CQVXPPMMeterFULLPANEL::parameterChanged(VstInt32 index, float value) {
    if (!isOpen()) return;
    CQVXMeterFULLPANEL::parameterChanged(index, value);
    if (index == kReferenceIndex) refreshReferenceText();
}

void CQVXPPMMeterFULLPANEL::showReading(CQVXMeter2* view, const Reading& reading) {
    auto* ppm = static_cast<CQVXPPMMeter2*>(view);
    ppm->needleValue = velunor::views::clampLevel(reading.level);
    ppm->holdValue = velunor::views::clampLevel(reading.held);
}
