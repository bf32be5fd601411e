#include "strips/StripFiltersEditor.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "editor/COnOffButtonH.h"
#include "editor/CMyTextEdit.h"
#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXOnOffButton.h"
#include "editor/CQVXSlider.h"
#include "editor/NumberText.h"
#include "editor/StripActiveButton.h"
#include "effect/ParameterTable.h"
#include "effect/Templete.h"
#include "gui/CFontDesc.h"
#include "gui/CMovieBitmap.h"
#include "gui/CViewContainer.h"
#include "strips/StripArtwork.h"

namespace {

using namespace velunor;

// The typed-frequency fields' own tags; their gestures become "HPFreq" and "LPFreq".
constexpr int32 kHighPassTextTag = 70;
constexpr int32 kLowPassTextTag = 71;
constexpr int32 kCaptionTag = 102;

constexpr int kFiltersInBitmap = 10020;
constexpr int kFiltersInClosedBitmap = 10103;
constexpr int kShowButtonBitmap = 10025;
constexpr int kFilterInOutBitmap = 10021;
constexpr int kHandleBitmap = 10024;
constexpr int kSlopeSwitchBitmap = 31001;
constexpr int kCaptionBitmap = 10102;

// The frequency sliders: the handle travels 162 pixels, itself included, minimum at the left.
// Style 9 of the early library releases is horizontal plus left.
constexpr int32 kSliderTravel = 162;
constexpr int32 kSliderStyle = CSlider::kHorizontal | CSlider::kLeft;
constexpr float kSliderDefault = 0.5f;
constexpr float kSliderFineFactor = 0.1f;

// A frequency field spans 42 pixels and rides 144 pixels over the slider's range.
constexpr CCoord kTextTravel = 144;
constexpr CCoord kTextWidth = 42;
constexpr CCoord kTextHeight = 15;
constexpr CCoord kHighPassTextLeft = 45;
constexpr CCoord kLowPassTextLeft = 310;
constexpr CColor kTextColor{170, 170, 170, 255};

// Frequencies the parameters span: base x 100^v.
constexpr double kHighPassBaseHz = 20.0;
constexpr double kLowPassBaseHz = 300.0;
constexpr double kDecadesOfRange = 100.0;
// A bare number in this range typed into the low-pass field means kilohertz.
constexpr double kLowPassKilohertzMin = 0.3;
constexpr double kLowPassKilohertzMax = 30.0;

// The number typed, in hertz: a "k" stands for the decimal point and multiplies by 1000
// ("2k5" is 2500); anything negative counts as 0.
double typedHertz(const char* text, bool bareKilohertz) {
    std::string s = text ? text : "";
    double factor = 1.0;
    if (const auto k = s.find('k'); k != std::string::npos) {
        s[k] = '.';
        factor = 1000.0;
    }
    double hz = editor::parseNumberText(s.c_str()) * factor;
    if (bareKilohertz && hz >= kLowPassKilohertzMin && hz <= kLowPassKilohertzMax) hz *= 1000.0;
    return std::max(hz, 0.0);
}

float normalisedFrequency(double hz, double baseHz) {
    if (hz <= 0.0) return 0.0f;
    const double v = std::log(hz / baseHz) / std::log(kDecadesOfRange);
    return static_cast<float>(std::clamp(v, 0.0, 1.0));
}

CRect textRect(CCoord left, float value) {
    const CCoord x = left + kTextTravel * static_cast<CCoord>(value);
    return CRect(x, 0, x + kTextWidth, kTextHeight);
}

bool isOn(float value) { return value >= 0.5f; }

}  // namespace

float StripFiltersEditor::highPassValueFromText(const char* text) {
    return normalisedFrequency(typedHertz(text, false), kHighPassBaseHz);
}

float StripFiltersEditor::lowPassValueFromText(const char* text) {
    return normalisedFrequency(typedHertz(text, true), kLowPassBaseHz);
}

CRect StripFiltersEditor::highPassTextRect(float value) { return textRect(kHighPassTextLeft, value); }
CRect StripFiltersEditor::lowPassTextRect(float value) { return textRect(kLowPassTextLeft, value); }

CBitmap* StripFiltersEditor::newBackground(StripForm form, int meter) {
    return loadBackground(form == StripForm::open ? 31000 + 100 * meter : closedBackgroundId(meter));
}

bool StripFiltersEditor::build(CFrame* frame, CBitmap* background, StripForm form) {
    if (!open(frame, background, form == StripForm::open ? kOpenHeight : kClosedHeight)) return false;
    if (form == StripForm::open) buildOpen(background);
    else buildClosed();
    setProcessState(effect_->getParameter(kProcess));
    return true;
}

void StripFiltersEditor::buildOpen(CBitmap* background) {
    {
        const StripArtwork art(kFiltersInBitmap);
        filtersIn_ = add(new StripActiveButton(CRect(541, 4, 541 + art.width(), 4 + art.height() / 3), editor_,
                                               kFiltersIn, art.get()),
                         kFiltersIn);
    }
    {
        const StripArtwork art(kShowButtonBitmap);
        showButton_ = add(new COnOffButtonH(CRect(574, 0, 574 + art.width(), art.height() / 2), editor_,
                                            kShowFilters, art.get()),
                          kShowFilters);
    }
    {
        const StripArtwork art(kFilterInOutBitmap);
        const CCoord w = art.width(), h = art.height() / 2;
        highPassIn_ = add(new CQVXOnOffButtonAH(CRect(16, 20, 16 + w, 20 + h), editor_, kHighPassState, art.get()),
                          kHighPassState);
        lowPassIn_ = add(new CQVXOnOffButtonAH(CRect(281, 20, 281 + w, 20 + h), editor_, kLowPassState, art.get()),
                         kLowPassState);
    }
    {
        const StripArtwork art(kHandleBitmap);
        auto slider = [&](CCoord left, int32 tag) {
            auto* s = new CQVXSliderAH(CRect(left, 10, left + kSliderTravel, 10 + art.height()), editor_, tag,
                                       CPoint(0, 0), kSliderTravel, art.get(), nullptr, CPoint(0, 0), kSliderStyle);
            s->setDefaultValue(kSliderDefault);
            s->setFineFactor(kSliderFineFactor);
            s->wheelStep = CQVXSlider::kDefaultWheelStep;
            s->wheelFineFactor = CQVXSlider::kDefaultWheelFineFactor;
            return add(s, tag);
        };
        highPassSlider_ = slider(58, kHighPassFrequency);
        lowPassSlider_ = slider(323, kLowPassFrequency);
    }
    {
        const StripArtwork art(kSlopeSwitchBitmap);
        const CCoord w = art.width(), h = art.height() / 2;
        auto slope = [&](CCoord left, int32 tag) {
            auto* s = new CQVXHorizontalSwitchAH(CRect(left, 8, left + w, 8 + h), editor_, tag, 2, h, 2, art.get());
            s->setMin(0.0f);
            s->setMax(1.0f);
            return add(s, tag);
        };
        highPassSlope_ = slope(223, kHighPassSlope);
        lowPassSlope_ = slope(489, kLowPassSlope);
    }
    highPassText_ = makeFrequencyText(kHighPassTextTag,
                                      highPassTextRect(effect_->getParameter(kHighPassFrequency)), background);
    lowPassText_ = makeFrequencyText(kLowPassTextTag,
                                     lowPassTextRect(effect_->getParameter(kLowPassFrequency)), background);
    moveFrequencyText(highPassText_, kHighPassFrequency, effect_->getParameter(kHighPassFrequency));
    moveFrequencyText(lowPassText_, kLowPassFrequency, effect_->getParameter(kLowPassFrequency));
}

void StripFiltersEditor::buildClosed() {
    {
        const StripArtwork art(kShowButtonBitmap);
        showButton_ = add(new COnOffButtonH(CRect(574, 0, 574 + art.width(), art.height() / 2), editor_,
                                            kShowFilters, art.get()),
                          kShowFilters);
    }
    {
        const StripArtwork art(kCaptionBitmap);
        caption_ = add(new CMovieBitmap(CRect(503, 2, 503 + art.width(), 2 + art.height()), editor_, kCaptionTag,
                                        1, art.height(), art.get()),
                       -1);
        caption_->setValue(0.0f);
    }
    {
        const StripArtwork art(kFiltersInClosedBitmap);
        filtersIn_ = add(new StripActiveButton(CRect(547, 1, 547 + art.width(), 1 + art.height() / 3), editor_,
                                               kFiltersIn, art.get()),
                         kFiltersIn);
    }
}

CMyTextEditAH* StripFiltersEditor::makeFrequencyText(int32 tag, const CRect& rect, CBitmap* background) {
    auto* text = new CMyTextEditAH(rect, editor_, tag, "", background, false);
    text->setFont(kNormalFontVerySmall);
    text->setFontColor(kTextColor);
    return add(text, -1);
}

void StripFiltersEditor::moveFrequencyText(CMyTextEditAH* text, int32 parameter, float value) {
    if (!text) return;
    const CRect& now = text->getViewSize();
    CRect rect = textRect(parameter == kHighPassFrequency ? kHighPassTextLeft : kLowPassTextLeft, value);
    rect.top = now.top;
    rect.bottom = now.bottom;
    text->setViewSize(rect, false);
    char display[64] = {};
    effect_->getParameterDisplay(parameter, display);
    text->setText(display);
}

void StripFiltersEditor::place(const CPoint& position) {
    StripEditor::place(position);
    if (!shown_) return;
    reload();
    container_->setDirty();
}

void StripFiltersEditor::reload() {
    for (int32 index = kShowFilters; index <= kLowPassFrequency; ++index)
        setParameter(index, effect_->getParameter(index));
    setProcessState(effect_->getParameter(kProcess));
}

void StripFiltersEditor::setParameter(int32 index, float value) {
    CControl* control = nullptr;
    switch (index) {
        case kShowFilters: control = showButton_; break;
        case kFiltersIn: control = filtersIn_; break;
        case kHighPassState: control = highPassIn_; break;
        case kHighPassSlope: control = highPassSlope_; break;
        case kLowPassState: control = lowPassIn_; break;
        case kLowPassSlope: control = lowPassSlope_; break;
        case kHighPassFrequency:
        case kLowPassFrequency: {
            const bool high = index == kHighPassFrequency;
            CQVXSliderAH* slider = high ? highPassSlider_ : lowPassSlider_;
            if (slider) {
                slider->setValue(value);
                slider->setDirty();
            }
            moveFrequencyText(high ? highPassText_ : lowPassText_, index, value);
            if (container_) container_->setDirty();
            return;
        }
        default: return;
    }
    if (control) {
        control->setValue(value);
        control->setDirty();
    }
}

void StripFiltersEditor::valueChanged(CControl* control) {
    // Only gestures on this strip's own controls, and only while the user can see it.
    if (!shown_ || !control || control->getParentView() != container_) return;
    const int32 tag = control->getTag();
    // The editor itself automates the open/close button (tag 7), as it does every shared button.
    if (tag >= kFiltersIn && tag <= kLowPassFrequency) {
        effect_->setParameterAutomated(tag, control->getValue());
        control->invalid();
    } else if (tag == kHighPassTextTag || tag == kLowPassTextTag) {
        auto* field = tag == kHighPassTextTag ? highPassText_ : lowPassText_;
        if (control != field) return;
        char text[256] = {};
        field->copyText(text, sizeof text);
        if (tag == kHighPassTextTag) effect_->setParameterAutomated(kHighPassFrequency, highPassValueFromText(text));
        else effect_->setParameterAutomated(kLowPassFrequency, lowPassValueFromText(text));
    }
}

void StripFiltersEditor::setProcessState(float value) {
    const bool active = isOn(value);
    for (CQVXOnOffButtonAH* button : {static_cast<CQVXOnOffButtonAH*>(filtersIn_), highPassIn_, lowPassIn_}) {
        if (!button) continue;
        const bool wasActive = button->isActive();
        button->setActive(active);
        button->setDirty();
        if (active && !wasActive) button->clearHint();
    }
    for (CQVXSliderAH* slider : {highPassSlider_, lowPassSlider_}) {
        if (!slider) continue;
        slider->setActive(active);
        slider->setDirty();
    }
    for (CMyTextEditAH* text : {highPassText_, lowPassText_})
        if (text) text->setActive(active);
    for (CQVXHorizontalSwitchAH* slope : {highPassSlope_, lowPassSlope_})
        if (slope) slope->setActive(active);
}

void StripFiltersEditor::close() {
    StripEditor::close();
    clearPointers();
}

void StripFiltersEditor::clearPointers() {
    filtersIn_ = nullptr;
    showButton_ = nullptr;
    highPassIn_ = lowPassIn_ = nullptr;
    highPassSlider_ = lowPassSlider_ = nullptr;
    highPassSlope_ = lowPassSlope_ = nullptr;
    highPassText_ = lowPassText_ = nullptr;
    caption_ = nullptr;
}
