#pragma once
// The PPM's settings: reference, integration, hold and fall-back, LED reference and overs, mid
// attenuation and measurement.

#include <array>

#include "editor/SteppedKnobs.h"
#include "views/BackPanel.h"

class PPMBackPanel : public BackPanel {
public:
    using BackPanel::BackPanel;

    bool open(CFrame* frame) override;
    void close() override;
    void show() override;
    void parameterChanged(VstInt32 index, float value) override;
    void controlChanged(CControl* control) override;

private:
    velunor::MeterEngine& engine() const override;
    bool ownsTag(VstInt32 tag) const override { return tag >= velunor::kFirstPpmSetting && tag <= velunor::kLastPpmSetting; }
    std::array<CControl*, 8> controls() const;
    std::array<ValueLabel, 4> valueLabels() const;

    CAnimKnob4* referenceKnob = nullptr;
    CAnimKnob4* integrationKnob = nullptr;
    CAnimKnob4* holdKnob = nullptr;
    CAnimKnob4* fallBackKnob = nullptr;
    CPpmLedRefKnob* ledRefKnob = nullptr;
    CPpmOverLedKnob* oversKnob = nullptr;
    CQVXHorizontalSwitch* midAttenSwitch = nullptr;
    CQVXOnOffButton* measureButton = nullptr;
    CTextLabel* referenceLabel = nullptr;
    CTextLabel* integrationLabel = nullptr;
    CTextLabel* holdLabel = nullptr;
    CTextLabel* fallBackLabel = nullptr;
    CTextLabel* versionLabel = nullptr;
};
