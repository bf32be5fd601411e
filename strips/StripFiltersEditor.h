#pragma once
// The filters strip: open, the FILTERS IN switch, the two filters' in/out buttons, frequency
// sliders with their typed-frequency fields riding above the handles, and slope switches; closed,
// a caption and the FILTERS IN switch. Everything but the open/close button works only while
// PROCESS is on.

#include "strips/StripEditor.h"

class CMovieBitmap;
class COnOffButtonH;
class CMyTextEditAH;
class CQVXHorizontalSwitchAH;
class CQVXOnOffButtonAH;
class CQVXSliderAH;
class StripActiveButton;

class StripFiltersEditor : public StripEditor {
public:
    static constexpr CCoord kOpenHeight = 53;
    static constexpr CCoord kClosedHeight = 13;

    using StripEditor::StripEditor;

    // The strip's bitmap for a form and meter, with a reference for the caller; null if missing.
    static CBitmap* newBackground(StripForm form, int meter);

    void close() override;
    // Also reloads every control from the effect, since the strip saw no gestures while hidden.
    void place(const CPoint& position) override;
    void setParameter(int32 index, float value) override;
    void valueChanged(CControl* control) override;
    bool build(CFrame* frame, CBitmap* background, StripForm form) override;
    // PROCESS on (>= 0.5) lets the filter controls work; off greys them and asks for PROCESS.
    void setProcessState(float value);

    // A typed frequency as the normalised value of "HPFreq" or "LPFreq".
    static float highPassValueFromText(const char* text);
    static float lowPassValueFromText(const char* text);
    // Where the frequency field sits for a slider value.
    static CRect highPassTextRect(float value);
    static CRect lowPassTextRect(float value);

    StripActiveButton* filtersInButton() const { return filtersIn_; }
    COnOffButtonH* showButton() const { return showButton_; }
    CQVXOnOffButtonAH* highPassInButton() const { return highPassIn_; }
    CQVXOnOffButtonAH* lowPassInButton() const { return lowPassIn_; }
    CQVXSliderAH* highPassSlider() const { return highPassSlider_; }
    CQVXSliderAH* lowPassSlider() const { return lowPassSlider_; }
    CQVXHorizontalSwitchAH* highPassSlopeSwitch() const { return highPassSlope_; }
    CQVXHorizontalSwitchAH* lowPassSlopeSwitch() const { return lowPassSlope_; }
    CMyTextEditAH* highPassText() const { return highPassText_; }
    CMyTextEditAH* lowPassText() const { return lowPassText_; }
    CMovieBitmap* caption() const { return caption_; }

private:
    void buildOpen(CBitmap* background);
    void buildClosed();
    CMyTextEditAH* makeFrequencyText(int32 tag, const CRect& rect, CBitmap* background);
    // The slider's field follows the slider's value and shows the parameter's text.
    void moveFrequencyText(CMyTextEditAH* text, int32 parameter, float value);
    void reload();
    void clearPointers();

    StripActiveButton* filtersIn_ = nullptr;
    COnOffButtonH* showButton_ = nullptr;
    CQVXOnOffButtonAH* highPassIn_ = nullptr;
    CQVXOnOffButtonAH* lowPassIn_ = nullptr;
    CQVXSliderAH* highPassSlider_ = nullptr;
    CQVXSliderAH* lowPassSlider_ = nullptr;
    CQVXHorizontalSwitchAH* highPassSlope_ = nullptr;
    CQVXHorizontalSwitchAH* lowPassSlope_ = nullptr;
    CMyTextEditAH* highPassText_ = nullptr;
    CMyTextEditAH* lowPassText_ = nullptr;
    CMovieBitmap* caption_ = nullptr;
};
