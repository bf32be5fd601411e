#pragma once
// The RMS meter's settings: reference, the RMS and peak integration, hold and fall-back, LED
// reference with its scale and overs, mid attenuation and measurement.

#include <array>

#include "editor/SteppedKnobs.h"
#include "views/BackPanel.h"

class RMSBackPanel : public BackPanel {
public:
    using BackPanel::BackPanel;

    bool open(CFrame* frame) override;
    void close() override;
    void show() override;
    void parameterChanged(VstInt32 index, float value) override;
    void controlChanged(CControl* control) override;

private:
    velunor::MeterEngine& engine() const override;
    bool ownsTag(VstInt32 tag) const override { return tag >= velunor::kFirstRmsSetting && tag <= velunor::kLastRmsSetting; }
    std::array<CControl*, 10> controls() const;
    std::array<ValueLabel, 5> valueLabels() const;

    CAnimKnob4* referenceKnob = nullptr;
    CAnimKnob4* rmsIntegrationKnob = nullptr;
    CAnimKnob4* peakIntegrationKnob = nullptr;
    CAnimKnob4* holdKnob = nullptr;
    CAnimKnob4* fallBackKnob = nullptr;
    CRmsLedRefKnob* ledRefKnob = nullptr;
    CRmsOverLedKnob* oversKnob = nullptr;
    CQVXHorizontalSwitch* midAttenSwitch = nullptr;
    CQVXOnOffButton* ledRefScaleButton = nullptr;
    CQVXOnOffButton* measureButton = nullptr;
    CTextLabel* referenceLabel = nullptr;
    CTextLabel* rmsIntegrationLabel = nullptr;
    CTextLabel* peakIntegrationLabel = nullptr;
    CTextLabel* holdLabel = nullptr;
    CTextLabel* fallBackLabel = nullptr;
    CTextLabel* versionLabel = nullptr;
};
