#include "views/BackPanel.h"

#include "editor/CQVXCalibrationControl.h"
#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXOnOffButton.h"
#include "effect/Templete.h"
#include "gui/CBitmap.h"
#include "gui/CFontDesc.h"
#include "gui/CFrame.h"
#include "gui/CMovieBitmap.h"
#include "gui/CTextLabel.h"
#include "meters/MeterEngine.h"
#include "views/CQVXBackPanelContainer.h"

namespace {

// GLOBAL / SESSION / INSTANCE, three frames of 11 pixels each.
constexpr int kSelectorPicture = 10014;
constexpr int kCaptionPicture = 10016;
constexpr int32 kCalibrationFrames = 3;
constexpr CCoord kCalibrationFrameHeight = 11;
constexpr CRect kCaptionSize{0, 180, 586, 191};

// Plain knobs turn finely enough to pick any value their label can show; stepped knobs jump from
// one engraved label to the next.
constexpr float kPlainDragScale = 0.2f;
constexpr float kPlainFineDivisor = 10.0f;
constexpr float kPlainWheelFineFactor = 0.1f;
constexpr float kSteppedDragScale = 0.1f;
constexpr float kSteppedFineDivisor = 1.0f;
constexpr float kSteppedWheelFineFactor = 1.0f;

constexpr CColor kLabelFontColor = MakeCColor(200, 193, 193, 255);
constexpr CColor kLabelClear = MakeCColor(0, 0, 0, 0);
constexpr std::size_t kDisplayTextSize = 64;

// A control built on a picture from the resources; the control keeps its own reference.
template <typename Control, typename... Args>
Control* withPicture(int pictureId, Args&&... args) {
    auto* picture = new CBitmap(pictureId);
    auto* control = new Control(std::forward<Args>(args)..., picture);
    picture->forget();
    return control;
}

}  // namespace

BackPanel::BackPanel(Templete* effect_, CControlListener* editor_) : effect(effect_), editor(editor_) {}

// The front panel closes the panel before deleting it; this only catches a panel deleted open.
BackPanel::~BackPanel() { BackPanel::close(); }

bool BackPanel::attach(CFrame* frame_, CBitmap* background) {
    if (container) close();
    frame = frame_;
    if (!frame || !background || !background->isLoaded() || !effect) return false;

    container = new CQVXBackPanelContainer(CRect(0, 0, background->getWidth(), background->getHeight()), editor);
    container->setBackground(background);
    shown = false;

    calibrationSelector = withPicture<CQVXCalibrationControl>(kSelectorPicture, selectorSize(), editor,
                                                               kCalibrationModeTag);
    calibrationSelector->setDefaultValue(0.0f);
    calibrationSelector->setValue(calibrationMode());
    container->addView(calibrationSelector);

    calibrationCaption = withPicture<CMovieBitmap>(kCaptionPicture, kCaptionSize, editor, kCalibrationModeTag,
                                                   kCalibrationFrames, kCalibrationFrameHeight);
    calibrationCaption->setValue(calibrationMode());
    container->addView(calibrationCaption);
    return true;
}

void BackPanel::close() {
    shown = false;
    calibrationSelector = nullptr;
    calibrationCaption = nullptr;
    if (!container) return;
    if (frame && frame->isChild(container))
        frame->removeView(container, true);
    else
        container->forget();
    container = nullptr;
}

void BackPanel::show() {
    if (!container || !frame) return;
    // The frame takes over our reference while the panel is shown and hands it back on hide.
    if (!frame->isChild(container)) frame->addView(container);
    shown = true;
    const float mode = calibrationMode();
    if (calibrationSelector) {
        calibrationSelector->setValue(mode);
        calibrationSelector->setViewSize(selectorSize(), true);
        calibrationSelector->setDirty();
    }
    if (calibrationCaption) {
        calibrationCaption->setValue(mode);
        calibrationCaption->setDirty();
    }
}

void BackPanel::hide() {
    if (container && frame && frame->isChild(container)) frame->removeView(container, false);
    shown = false;
}

void BackPanel::parameterChanged(VstInt32, float) {}

void BackPanel::controlChanged(CControl*) {}

CQVXOnOffButton* BackPanel::addOnOffButton(int pictureId, const CRect& size, VstInt32 tag) {
    auto* button = withPicture<CQVXOnOffButton>(pictureId, size, editor, tag);
    // Wheel up switches on, wheel down off.
    button->directionalWheel = true;
    button->invertedWheel = true;
    button->setValue(engine().getParameter(tag));
    container->addView(button);
    return button;
}

CQVXHorizontalSwitch* BackPanel::addHorizontalSwitch(int pictureId, const CRect& size, VstInt32 tag) {
    auto* control = withPicture<CQVXHorizontalSwitch>(pictureId, size, editor, tag);
    control->setMin(0.0f);
    control->setMax(1.0f);
    control->setValue(engine().getParameter(tag));
    container->addView(control);
    return control;
}

CTextLabel* BackPanel::addLabel(const CRect& size, const char* placeholder) {
    auto* label = new CTextLabel(size, placeholder);
    label->setFont(kNormalFontVerySmall);
    label->setFontColor(kLabelFontColor);
    label->setBackColor(kLabelClear);
    label->setFrameColor(kLabelClear);
    label->setHoriAlign(kCenterText);
    container->addView(label);
    return label;
}

CTextLabel* BackPanel::addValueLabel(VstInt32 tag, const CRect& size, const char* placeholder) {
    CTextLabel* label = addLabel(size, placeholder);
    reload(ValueLabel{tag, label});
    return label;
}

void BackPanel::placeKnob(CAnimKnob4* knob, float defaultValue, float wheelStep, bool stepped) {
    knob->setDefaultValue(defaultValue);
    knob->setValue(engine().getParameter(knob->getTag()));
    knob->dragScale = stepped ? kSteppedDragScale : kPlainDragScale;
    knob->fineDivisor = stepped ? kSteppedFineDivisor : kPlainFineDivisor;
    knob->wheelStep = wheelStep;
    knob->wheelFineFactor = stepped ? kSteppedWheelFineFactor : kPlainWheelFineFactor;
    container->addView(knob);
}

void BackPanel::reloadAll(std::span<CControl* const> controls, std::span<const ValueLabel> labels) const {
    for (CControl* control : controls) reload(control);
    for (const ValueLabel& label : labels) reload(label);
}

void BackPanel::follow(VstInt32 index, float value, std::span<CControl* const> controls,
                       std::span<const ValueLabel> labels) const {
    if (!shown) return;
    if (index == kCalibrationModeTag) {
        for (CControl* control : {static_cast<CControl*>(calibrationCaption), static_cast<CControl*>(calibrationSelector)}) {
            if (!control) continue;
            control->setValue(value);
            control->setDirty();
        }
        return;
    }
    // The engine's value, not the one passed: it is what the engine made of it.
    for (CControl* control : controls)
        if (control && control->getTag() == index) reload(control);
    for (const ValueLabel& label : labels)
        if (label.tag == index) reload(label);
}

void BackPanel::apply(CControl* control) const {
    if (!shown || !control) return;
    const VstInt32 tag = control->getTag();
    if (tag != kCalibrationModeTag && !ownsTag(tag)) return;
    effect->setParameter(tag, control->getValue());
    control->setDirty();
}

void BackPanel::reload(CControl* control) const {
    if (!control) return;
    control->setValue(engine().getParameter(control->getTag()));
    control->setDirty();
}

void BackPanel::reload(const ValueLabel& label) const {
    if (!label.label) return;
    char text[kDisplayTextSize] = {};
    engine().getParameterDisplay(label.tag, text, sizeof text);
    label.label->setText(text);
}

CRect BackPanel::selectorSize() const {
    const bool stripsShown = static_cast<int>(effect->getParameter(kStripsIndex) + 0.5f) != 0;
    return stripsShown ? kNarrowSelector : kWideSelector;
}

float BackPanel::calibrationMode() const { return effect->getParameter(kCalibrationModeTag); }
