#pragma once
// The VU meter's settings: reference, integration, hold, face tint, LED reference and overs,
// mid attenuation, needle type and measurement.

#include <array>

#include "editor/SteppedKnobs.h"
#include "views/BackPanel.h"

class VUBackPanel : public BackPanel {
public:
    using BackPanel::BackPanel;

    bool open(CFrame* frame) override;
    void close() override;
    void show() override;
    void parameterChanged(VstInt32 index, float value) override;
    void controlChanged(CControl* control) override;

private:
    velunor::MeterEngine& engine() const override;
    bool ownsTag(VstInt32 tag) const override { return tag >= velunor::kFirstVuSetting && tag <= velunor::kLastVuSetting; }
    std::array<CControl*, 9> controls() const;
    std::array<ValueLabel, 3> valueLabels() const;

    CAnimKnob4* referenceKnob = nullptr;
    CAnimKnob4* integrationKnob = nullptr;
    CAnimKnob4* holdKnob = nullptr;
    CVuBackLitKnob* backLitKnob = nullptr;
    CVuLedRefKnob* ledRefKnob = nullptr;
    CVuOverLedKnob* oversKnob = nullptr;
    CQVXHorizontalSwitch* midAttenSwitch = nullptr;
    CQVXOnOffButton* vuTypeButton = nullptr;
    CQVXOnOffButton* measureButton = nullptr;
    CTextLabel* referenceLabel = nullptr;
    CTextLabel* integrationLabel = nullptr;
    CTextLabel* holdLabel = nullptr;
    CTextLabel* versionLabel = nullptr;
};
