#include "views/RMSBackPanel.h"

#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXOnOffButton.h"
#include "effect/Templete.h"
#include "gui/CBitmap.h"
#include "gui/CTextLabel.h"

namespace {
constexpr int kBackPicture = 41000;
constexpr int kLedRefScalePicture = 41003;
constexpr int kMeasurePicture = 41007;
constexpr int kMidAttenPicture = 41008;
}  // namespace

bool RMSBackPanel::open(CFrame* frame_) {
    auto* back = new CBitmap(kBackPicture);
    const bool attached = attach(frame_, back);
    back->forget();
    if (!attached) return false;

    auto* knob = new CBitmap(backpanel::kKnobPicture);
    referenceKnob = addKnob<CAnimKnob4>(knob, 54, 35, 72, 0.667f, 1.0f / 30);
    rmsIntegrationKnob = addKnob<CAnimKnob4>(knob, 147, 35, 74, 0.5f, 1.0f / 30);
    peakIntegrationKnob = addKnob<CAnimKnob4>(knob, 24, 113, 73, 0.5f, 1.0f / 30);
    holdKnob = addKnob<CAnimKnob4>(knob, 118, 113, 75, 0.5f, 1.0f / 30);
    fallBackKnob = addKnob<CAnimKnob4>(knob, 213, 113, 76, 0.66f, 1.0f / 30);
    ledRefKnob = addKnob<CRmsLedRefKnob>(knob, 434, 35, 79, 1.0f, 1.0f / 6);
    oversKnob = addKnob<CRmsOverLedKnob>(knob, 498, 113, 78, 0.22f, 1.0f / 9);
    knob->forget();
    midAttenSwitch = addHorizontalSwitch(kMidAttenPicture, CRect(223, 50, 293, 91), 77);
    ledRefScaleButton = addOnOffButton(kLedRefScalePicture, CRect(474, 28, 528, 85), 81);
    measureButton = addOnOffButton(kMeasurePicture, CRect(532, 12, 586, 109), 80);

    referenceLabel = addValueLabel(72, CRect(44, 77, 106, 91), "0 dBFS");
    rmsIntegrationLabel = addValueLabel(74, CRect(143, 76, 195, 90), "300 ms");
    peakIntegrationLabel = addValueLabel(73, CRect(18, 154, 70, 168), "300 ms");
    holdLabel = addValueLabel(75, CRect(114, 154, 166, 168), "0.1 s");
    fallBackLabel = addValueLabel(76, CRect(208, 154, 260, 168), "0.1 s");
    versionLabel = addLabel(CRect(293, 86, 403, 100), "v.3.0.0");
    return true;
}

void RMSBackPanel::close() {
    referenceKnob = rmsIntegrationKnob = peakIntegrationKnob = holdKnob = fallBackKnob = nullptr;
    ledRefKnob = nullptr;
    oversKnob = nullptr;
    midAttenSwitch = nullptr;
    ledRefScaleButton = measureButton = nullptr;
    referenceLabel = rmsIntegrationLabel = peakIntegrationLabel = holdLabel = fallBackLabel = versionLabel = nullptr;
    BackPanel::close();
}

void RMSBackPanel::show() {
    BackPanel::show();
    if (shown) reloadAll(controls(), valueLabels());
}

void RMSBackPanel::parameterChanged(VstInt32 index, float value) { follow(index, value, controls(), valueLabels()); }

void RMSBackPanel::controlChanged(CControl* control) { apply(control); }

velunor::MeterEngine& RMSBackPanel::engine() const { return effect->rmsMeter(); }

std::array<CControl*, 10> RMSBackPanel::controls() const {
    return {referenceKnob, rmsIntegrationKnob, peakIntegrationKnob, holdKnob, fallBackKnob,
            ledRefKnob, oversKnob, midAttenSwitch, ledRefScaleButton, measureButton};
}

std::array<BackPanel::ValueLabel, 5> RMSBackPanel::valueLabels() const {
    return {{{72, referenceLabel}, {74, rmsIntegrationLabel}, {73, peakIntegrationLabel}, {75, holdLabel},
             {76, fallBackLabel}}};
}
