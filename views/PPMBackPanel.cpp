#include "views/PPMBackPanel.h"

#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXOnOffButton.h"
#include "effect/Templete.h"
#include "gui/CBitmap.h"
#include "gui/CTextLabel.h"

namespace {
constexpr int kBackPicture = 42000;
constexpr int kMidAttenPicture = 42003;
constexpr int kMeasurePicture = 42007;
}  // namespace

bool PPMBackPanel::open(CFrame* frame_) {
    auto* back = new CBitmap(kBackPicture);
    const bool attached = attach(frame_, back);
    back->forget();
    if (!attached) return false;

    auto* knob = new CBitmap(backpanel::kKnobPicture);
    referenceKnob = addKnob<CAnimKnob4>(knob, 24, 36, 93, 0.5f, 1.0f / 24);
    integrationKnob = addKnob<CAnimKnob4>(knob, 137, 35, 94, 0.5f, 1.0f / 30);
    holdKnob = addKnob<CAnimKnob4>(knob, 80, 111, 95, 0.5f, 1.0f / 12);
    fallBackKnob = addKnob<CAnimKnob4>(knob, 192, 111, 96, 0.66f, 1.0f / 12);
    ledRefKnob = addKnob<CPpmLedRefKnob>(knob, 418, 35, 99, 1.0f, 1.0f / 3);
    oversKnob = addKnob<CPpmOverLedKnob>(knob, 475, 111, 98, 0.22f, 1.0f / 9);
    knob->forget();
    midAttenSwitch = addHorizontalSwitch(kMidAttenPicture, CRect(200, 36, 270, 103), 97);
    measureButton = addOnOffButton(kMeasurePicture, CRect(532, 12, 586, 109), 100);

    referenceLabel = addValueLabel(93, CRect(14, 79, 76, 93), "0 dBFS");
    integrationLabel = addValueLabel(94, CRect(133, 78, 184, 92), "300 ms");
    holdLabel = addValueLabel(95, CRect(75, 154, 127, 168), "0.1 s");
    fallBackLabel = addValueLabel(96, CRect(188, 154, 240, 168), "0.1 s");
    versionLabel = addLabel(CRect(281, 86, 391, 100), "v.3.0.0");
    return true;
}

void PPMBackPanel::close() {
    referenceKnob = integrationKnob = holdKnob = fallBackKnob = nullptr;
    ledRefKnob = nullptr;
    oversKnob = nullptr;
    midAttenSwitch = nullptr;
    measureButton = nullptr;
    referenceLabel = integrationLabel = holdLabel = fallBackLabel = versionLabel = nullptr;
    BackPanel::close();
}

void PPMBackPanel::show() {
    BackPanel::show();
    if (shown) reloadAll(controls(), valueLabels());
}

void PPMBackPanel::parameterChanged(VstInt32 index, float value) { follow(index, value, controls(), valueLabels()); }

void PPMBackPanel::controlChanged(CControl* control) { apply(control); }

velunor::MeterEngine& PPMBackPanel::engine() const { return effect->ppmMeter(); }

std::array<CControl*, 8> PPMBackPanel::controls() const {
    return {referenceKnob, integrationKnob, holdKnob, fallBackKnob, ledRefKnob, oversKnob, midAttenSwitch,
            measureButton};
}

std::array<BackPanel::ValueLabel, 4> PPMBackPanel::valueLabels() const {
    return {{{93, referenceLabel}, {94, integrationLabel}, {95, holdLabel}, {96, fallBackLabel}}};
}
