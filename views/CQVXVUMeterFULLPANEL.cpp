#include "views/CQVXVUMeterFULLPANEL.h"

#include <cmath>

#include "views/CQVXVUMeter2.h"
#include "views/VUBackPanel.h"

namespace {

const CQVXMeterFULLPANEL::MeterLook kVuLook{0,     10000, 10005, 40011, 40012, 10006,
                                           CQVXVUMeterFULLPANEL::kReferenceIndex, 0.25f, 0.5f, 1.0f / 24.0f};

}  // namespace

bool CQVXVUMeterFULLPANEL::open(CFrame* frame, CBitmap* /*background*/) {
    if (!openMeter(frame, kVuLook)) return false;
    applyTint();
    return true;
}

CQVXMeter2* CQVXVUMeterFULLPANEL::createFace(const CPoint& origin) { return new CQVXVUMeter2(origin, editor()); }

std::unique_ptr<BackPanel> CQVXVUMeterFULLPANEL::createBackPanel() {
    return std::make_unique<VUBackPanel>(effect(), editor());
}

void CQVXVUMeterFULLPANEL::applyTint() {
    velunor::MeterEngine* meter = engine();
    if (!meter) return;
    const auto tint = static_cast<int32>(meter->getParameter(kBacklitIndex) * 4.0f + 0.5f);
    for (CQVXMeter2* view : {leftView(), rightView()})
        if (auto* vu = static_cast<CQVXVUMeter2*>(view)) {
            vu->tintIndex = tint;
            vu->setDirty(true);
        }
}

void CQVXVUMeterFULLPANEL::parameterChanged(VstInt32 index, float value) {
    if (!isOpen()) return;
    CQVXMeterFULLPANEL::parameterChanged(index, value);
    if (index == kBacklitIndex) applyTint();
    if (index == kReferenceIndex || index == kBacklitIndex) refreshReferenceText();
}

void CQVXVUMeterFULLPANEL::controlChanged(CControl* control) {
    if (!isOpen()) return;
    CQVXMeterFULLPANEL::controlChanged(control);
    if (control && control->getTag() == kBacklitIndex) applyTint();
}

float CQVXVUMeterFULLPANEL::clampVu(double value, float shown) {
    if (std::isnan(value)) return shown;
    if (value >= 1.5) return 1.5f;
    if (value <= -0.05) return -0.05f;
    return static_cast<float>(value);
}

void CQVXVUMeterFULLPANEL::showReading(CQVXMeter2* view, const Reading& reading) {
    auto* vu = static_cast<CQVXVUMeter2*>(view);
    vu->needleValue = clampVu(reading.level, vu->needleValue);
    vu->holdValue = clampVu(reading.held, vu->holdValue);
}
