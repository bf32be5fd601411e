#include "views/VUBackPanel.h"

#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXOnOffButton.h"
#include "effect/Templete.h"
#include "gui/CBitmap.h"
#include "gui/CTextLabel.h"

namespace {
constexpr int kBackPicture = 40000;
constexpr int kVuTypePicture = 40001;
constexpr int kMidAttenPicture = 40002;
constexpr int kMeasurePicture = 40003;
}  // namespace

bool VUBackPanel::open(CFrame* frame_) {
    auto* back = new CBitmap(kBackPicture);
    const bool attached = attach(frame_, back);
    back->forget();
    if (!attached) return false;

    auto* knob = new CBitmap(backpanel::kKnobPicture);
    referenceKnob = addKnob<CAnimKnob4>(knob, 24, 36, 83, 0.25f, 1.0f / 24);
    integrationKnob = addKnob<CAnimKnob4>(knob, 105, 35, 84, 0.5f, 1.0f / 12);
    holdKnob = addKnob<CAnimKnob4>(knob, 64, 111, 85, 0.5f, 1.0f / 12);
    backLitKnob = addKnob<CVuBackLitKnob>(knob, 195, 35, 88, 0.5f, 0.25f);
    ledRefKnob = addKnob<CVuLedRefKnob>(knob, 434, 35, 90, 1.0f, 1.0f / 3);
    oversKnob = addKnob<CVuOverLedKnob>(knob, 475, 111, 89, 0.22f, 1.0f / 9);
    knob->forget();
    midAttenSwitch = addHorizontalSwitch(kMidAttenPicture, CRect(215, 127, 285, 168), 87);
    vuTypeButton = addOnOffButton(kVuTypePicture, CRect(140, 127, 205, 168), 86);
    measureButton = addOnOffButton(kMeasurePicture, CRect(532, 12, 586, 109), 91);

    referenceLabel = addValueLabel(83, CRect(14, 79, 76, 93), "-18 dBFS");
    integrationLabel = addValueLabel(84, CRect(100, 78, 152, 92), "300 ms");
    holdLabel = addValueLabel(85, CRect(59, 153, 111, 167), "0.1 s");
    versionLabel = addLabel(CRect(290, 86, 400, 100), "v.3.0.0");
    return true;
}

void VUBackPanel::close() {
    referenceKnob = integrationKnob = holdKnob = nullptr;
    backLitKnob = nullptr;
    ledRefKnob = nullptr;
    oversKnob = nullptr;
    midAttenSwitch = nullptr;
    vuTypeButton = measureButton = nullptr;
    referenceLabel = integrationLabel = holdLabel = versionLabel = nullptr;
    BackPanel::close();
}

void VUBackPanel::show() {
    BackPanel::show();
    if (shown) reloadAll(controls(), valueLabels());
}

void VUBackPanel::parameterChanged(VstInt32 index, float value) { follow(index, value, controls(), valueLabels()); }

void VUBackPanel::controlChanged(CControl* control) { apply(control); }

velunor::MeterEngine& VUBackPanel::engine() const { return effect->vuMeter(); }

std::array<CControl*, 9> VUBackPanel::controls() const {
    return {referenceKnob, integrationKnob, holdKnob, backLitKnob, ledRefKnob, oversKnob,
            midAttenSwitch, vuTypeButton, measureButton};
}

std::array<BackPanel::ValueLabel, 3> VUBackPanel::valueLabels() const {
    return {{{83, referenceLabel}, {84, integrationLabel}, {85, holdLabel}}};
}
