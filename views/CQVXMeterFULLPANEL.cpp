#include "views/CQVXMeterFULLPANEL.h"

#include <cmath>

#include "editor/CFrontReferenceControl.h"
#include "editor/CHelpHintLabel.h"
#include "editor/CMyTextEdit.h"
#include "editor/CQVKickButton.h"
#include "editor/CQVXCalibrationControl.h"
#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXMeterSelectorControl.h"
#include "editor/CQVXOnOffButton.h"
#include "editor/CQVXSlider.h"
#include "editor/NumberText.h"
#include "effect/Templete.h"
#include "gui/CFontDesc.h"
#include "views/CQVXMeter2.h"

namespace {

constexpr int kTrimHandlePicture = 10001;
constexpr int kProcessPicture = 10002;
constexpr int kCalibrationPicture = 10010;
constexpr int kMeterSelectorPicture = 10015;
constexpr int kStripsPicture = 10025;
constexpr int kManualPicture = 989;
constexpr int kReferencePicture = 10013;
constexpr int32 kTrimHandleTravel = 126;
const CColor kTrimTextColor = MakeCColor(170, 170, 170, 255);
const CColor kHintTextColor = MakeCColor(220, 213, 213, 255);
const CColor kClear = MakeCColor(0, 0, 0, 0);

bool isOn(float v) { return static_cast<int>(v + 0.5f) != 0; }

// A resource bitmap, or null (with nothing held) when it is missing.
CBitmap* loadBitmap(int id) {
    auto* bitmap = new CBitmap(id);
    if (bitmap->isLoaded()) return bitmap;
    bitmap->forget();
    return nullptr;
}

// Adds `control` to `container` and drops the panel's reference to `bitmap`, which the control
// now holds.
template <typename Control>
Control* place(CViewContainer* container, Control* control, CBitmap* bitmap) {
    container->addView(control);
    if (bitmap) bitmap->forget();
    return control;
}

}  // namespace

bool CQVXMeterFULLPANEL::isAttached() const { return container_ && frame_ && frame_->isChild(container_); }

velunor::MeterEngine* CQVXMeterFULLPANEL::engine() const {
    return effect_ && look_ ? effect_->engine(look_->meterIndex) : nullptr;
}

bool CQVXMeterFULLPANEL::open(CFrame* frame, CBitmap* background) {
    if (!frame || !effect_) return false;
    CBitmap* selectorPicture = loadBitmap(kMeterSelectorPicture);
    CBitmap* calibrationPicture = loadBitmap(kCalibrationPicture);
    if (!selectorPicture || !calibrationPicture) {
        if (selectorPicture) selectorPicture->forget();
        if (calibrationPicture) calibrationPicture->forget();
        return false;
    }
    frame_ = frame;
    container_ = new CViewContainer(CRect(0, 0, kWidth, kHeight));
    container_->setBackground(background);

    const CCoord sw = selectorPicture->getWidth();
    const CCoord sh = selectorPicture->getHeight();
    meterSelector_ = place(container_,
                           new CQVXMeterSelectorControl(CRect(195, 144, 195 + sw, 144 + sh / 3), editor_, selectorPicture),
                           selectorPicture);
    meterSelector_->setDefaultValue(0.0f);

    if (CBitmap* handle = loadBitmap(kTrimHandlePicture)) {
        const CCoord w = handle->getWidth();
        trimSlider_ = place(container_,
                            new CQVXSliderAH(CRect(538, 17, 538 + w, 143), editor_, 1, CPoint(0, 0), kTrimHandleTravel,
                                             handle, nullptr, CPoint(0, 0), CSlider::kVertical | CSlider::kBottom),
                            handle);
        trimSlider_->setDefaultValue(0.5f);
        trimSlider_->setFineFactor(0.1f);
        trimSlider_->wheelStep = 0.025f;
        trimSlider_->wheelFineFactor = 0.1f;
    }

    trimText_ = new CMyTextEditAH(CRect(530, 146, 578, 161), editor_, kTrimTextTag, "", background, false);
    trimText_->setFont(kNormalFontVerySmall);
    trimText_->setFontColor(kTrimTextColor);
    container_->addView(trimText_);

    if (CBitmap* picture = loadBitmap(kProcessPicture)) {
        const CCoord w = picture->getWidth(), h = picture->getHeight();
        processButton_ = place(container_, new CQVXOnOffButtonH(CRect(531, 1, 531 + w, 1 + h / 2), editor_, 0, picture),
                               picture);
    }

    const CCoord cw = calibrationPicture->getWidth();
    const CCoord ch = calibrationPicture->getHeight();
    calibrationSelector_ = place(container_,
                                 new CQVXCalibrationControl(CRect(0, 1, cw, 1 + ch / 3), editor_, 2, calibrationPicture),
                                 calibrationPicture);
    calibrationSelector_->setDefaultValue(0.0f);

    if (CBitmap* picture = loadBitmap(kStripsPicture)) {
        const CCoord w = picture->getWidth(), h = picture->getHeight();
        stripsButton_ = place(container_, new CQVXOnOffButtonH(CRect(574, 1, 574 + w, 1 + h / 2), editor_, 6, picture),
                              picture);
    }

    if (CBitmap* picture = loadBitmap(kManualPicture)) {
        const CCoord w = picture->getWidth();
        const CCoord frameHeight = std::floor(picture->getHeight() / 3);
        manualButton_ = place(container_,
                              new CQVKickButtonH(CRect(505, 0, 505 + w, frameHeight), editor_, 121, frameHeight, picture),
                              picture);
    }

    hintLabel_ = new CHelpHintLabel(CRect(304, 0, 496, 14));
    hintLabel_->setFont(kNormalFontVerySmall);
    hintLabel_->setFontColor(kHintTextColor);
    hintLabel_->setBackColor(kClear);
    hintLabel_->setFrameColor(kClear);
    hintLabel_->setHoriAlign(kCenterText);
    container_->addView(hintLabel_);

    if (processButton_) processButton_->setHintLabel(hintLabel_);
    if (manualButton_) manualButton_->setHintLabel(hintLabel_);
    if (trimSlider_) trimSlider_->setHintLabel(hintLabel_);
    trimText_->setHintLabel(hintLabel_);
    if (stripsButton_) stripsButton_->setHintLabel(hintLabel_);
    meterSelector_->setHintLabel(hintLabel_);

    loadSharedControls();
    isOpen_ = true;
    return true;
}

bool CQVXMeterFULLPANEL::openMeter(CFrame* frame, const MeterLook& meterLook) {
    look_ = &meterLook;
    CBitmap* face = loadBitmap(meterLook.facePicture);
    const bool built = CQVXMeterFULLPANEL::open(frame, face);
    if (face) face->forget();  // the container and the trim field hold it
    if (!built) {
        look_ = nullptr;
        return false;
    }
    Templete& fx = *effect_;
    velunor::MeterEngine* meter = engine();

    if (CBitmap* picture = loadBitmap(meterLook.lrMsPicture)) {
        const CCoord w = picture->getWidth(), h = picture->getHeight();
        lrMsSwitch_ = place(container_, new CQVXOnOffButton(CRect(8, 144, 8 + w, 144 + h / 2), editor_, 4, picture),
                            picture);
        lrMsSwitch_->directionalWheel = true;
        lrMsSwitch_->invertedWheel = true;
        lrMsSwitch_->setValue(fx.getParameter(4));
    }
    if (CBitmap* picture = loadBitmap(meterLook.leftCaption)) {
        leftCaption_ = place(container_,
                             new CMovieBitmap(CRect(104, 146, 170, 165), editor_, kCaptionTag, 2, 19, picture), picture);
        leftCaption_->setValue(fx.getParameter(4));
    }
    if (CBitmap* picture = loadBitmap(meterLook.rightCaption)) {
        rightCaption_ = place(container_,
                              new CMovieBitmap(CRect(369, 146, 435, 165), editor_, kCaptionTag, 2, 19, picture), picture);
        rightCaption_->setValue(fx.getParameter(4));
    }
    if (CBitmap* picture = loadBitmap(meterLook.holdPicture)) {
        const CCoord w = picture->getWidth(), h = picture->getHeight();
        holdSwitch_ = place(container_,
                            new CQVXHorizontalSwitch(CRect(442, 144, 442 + w, 144 + h / 3), editor_, 5, 3, 24, 3, picture),
                            picture);
        holdSwitch_->setMin(0.0f);
        holdSwitch_->setMax(1.0f);
        holdSwitch_->setValue(fx.getParameter(5));
    }
    views_[0] = createFace(CPoint(12, 18));
    views_[1] = createFace(CPoint(277, 18));
    const bool showHold = static_cast<int>(fx.getParameter(5) * 2.0f + 0.5f) != 0;
    for (CQVXMeter2* view : views_) {
        view->setTag(kFaceClickTag);
        view->showHold = showHold;
        container_->addView(view);
    }

    if (CBitmap* picture = loadBitmap(kReferencePicture)) {
        const CCoord w = picture->getWidth(), h = picture->getHeight();
        referenceControl_ = new CFrontReferenceControl(CRect(96, 1, 96 + w, 1 + h / 2), editor_,
                                                       meterLook.referenceIndex, 2, h / 2, picture);
        picture->forget();
        referenceControl_->setDefaultValue(meterLook.referenceDefault);
        referenceControl_->setValue(meter ? meter->getParameter(meterLook.referenceIndex) : meterLook.referenceDefault);
        referenceControl_->dragScale = meterLook.referenceDragScale;
        referenceControl_->fineDivisor = 10.0f;
        referenceControl_->wheelStep = meterLook.referenceWheelStep;
        referenceControl_->wheelFineFactor = 0.1f;
        refreshReferenceText();
        // Outside the container it is held by the panel alone; close puts it back before release.
        if (isOn(fx.getParameter(6))) container_->addView(referenceControl_);
        referenceControl_->setHintLabel(hintLabel_);
    }

    backPanel_ = createBackPanel();
    backPanel_->open(frame);
    return true;
}

void CQVXMeterFULLPANEL::loadSharedControls() {
    Templete& fx = *effect_;
    const float process = fx.getParameter(0);
    const bool active = isOn(process);
    meterSelector_->setValue(fx.getParameter(3));
    if (trimSlider_) {
        trimSlider_->setValue(fx.getParameter(1));
        trimSlider_->setActive(active);
    }
    char text[64] = {};
    fx.getParameterDisplay(1, text);
    trimText_->setText(text);
    trimText_->setActive(active);
    if (processButton_) processButton_->setValue(process);
    calibrationSelector_->setValue(fx.getParameter(2));
    if (stripsButton_) stripsButton_->setValue(fx.getParameter(6));
}

void CQVXMeterFULLPANEL::close() {
    if (!isOpen_) return;
    isOpen_ = false;
    if (referenceControl_ && !container_->isChild(referenceControl_)) container_->addView(referenceControl_);
    if (frame_ && frame_->isChild(container_))
        frame_->removeView(container_, true);
    else
        container_->forget();
    if (backPanel_) {
        backPanel_->close();
        backPanel_.reset();
    }
    container_ = nullptr;
    frame_ = nullptr;
    views_ = {};
    trimSlider_ = nullptr;
    trimText_ = nullptr;
    processButton_ = nullptr;
    lrMsSwitch_ = nullptr;
    leftCaption_ = nullptr;
    rightCaption_ = nullptr;
    holdSwitch_ = nullptr;
    calibrationSelector_ = nullptr;
    meterSelector_ = nullptr;
    stripsButton_ = nullptr;
    manualButton_ = nullptr;
    referenceControl_ = nullptr;
    hintLabel_ = nullptr;
}

void CQVXMeterFULLPANEL::refresh() {
    if (!container_ || !frame_) return;
    if (!frame_->isChild(container_)) frame_->addView(container_);
    loadSharedControls();
    container_->invalid();
}

void CQVXMeterFULLPANEL::detach() {
    if (container_ && frame_ && frame_->isChild(container_)) frame_->removeView(container_, false);
}

void CQVXMeterFULLPANEL::showReferenceControl(bool shown) {
    if (!referenceControl_) return;
    const bool inside = container_->isChild(referenceControl_);
    if (shown && !inside) {
        container_->addView(referenceControl_);
    } else if (!shown && inside) {
        container_->removeView(referenceControl_, false);
    }
}

void CQVXMeterFULLPANEL::parameterChanged(VstInt32 index, float value) {
    if (!isOpen_) return;
    switch (index) {
    case 0:
        if (processButton_) processButton_->setValue(value);
        if (trimSlider_) {
            trimSlider_->setActive(isOn(value));
            trimSlider_->setDirty(true);
        }
        trimText_->setActive(isOn(value));
        trimText_->setDirty(true);
        break;
    case 1: {
        if (trimSlider_) trimSlider_->setValue(value);
        char text[64] = {};
        effect_->getParameterDisplay(1, text);
        trimText_->setText(text);
        break;
    }
    case 2: calibrationSelector_->setValue(value); break;
    case 3: meterSelector_->setValue(value); break;
    case 4:
        for (CControl* c : {static_cast<CControl*>(lrMsSwitch_), static_cast<CControl*>(leftCaption_),
                            static_cast<CControl*>(rightCaption_)})
            if (c) c->setValue(value);
        break;
    case 5: {
        const bool showHold = static_cast<int>(value * 2.0f + 0.5f) != 0;
        for (CQVXMeter2* view : views_)
            if (view) view->showHold = showHold;
        if (holdSwitch_) holdSwitch_->setValue(value);
        break;
    }
    case 6:
        if (stripsButton_) stripsButton_->setValue(value);
        showReferenceControl(isOn(value));
        break;
    default: break;
    }
    if (backPanel_ && backPanel_->isShown()) backPanel_->parameterChanged(index, value);
}

void CQVXMeterFULLPANEL::setTrimFromText() {
    char text[64] = {};
    trimText_->copyText(text, sizeof text);
    const double number = velunor::editor::parseNumberText(text);
    float value = static_cast<float>((number + 20.0) * 0.025);
    value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
    effect_->setParameterAutomated(1, value);
}

void CQVXMeterFULLPANEL::controlChanged(CControl* control) {
    if (!isOpen_ || !control) return;
    switch (control->getTag()) {
    case kBackPanelTag:
        // Closing the settings stores the shared calibration; opening them does not.
        if (!backPanel_) break;
        if (backPanel_->isShown()) {
            backPanel_->hide();
            effect_->setParameter(kBackPanelTag, 0.0f);
        } else {
            backPanel_->show();
        }
        break;
    case kFaceClickTag: effect_->setParameter(kFaceClickTag, 0.0f); break;
    case kTrimTextTag:
        if (control == trimText_) setTrimFromText();
        break;
    default: break;
    }
    if (backPanel_) backPanel_->controlChanged(control);
    if (look_ && control->getTag() == look_->referenceIndex) {
        effect_->setParameter(control->getTag(), control->getValue());
        control->setDirty(true);
    }
}

void CQVXMeterFULLPANEL::refreshReferenceText() {
    velunor::MeterEngine* meter = engine();
    if (!referenceControl_ || !meter) return;
    char text[CFrontReferenceControl::kTextBytes] = {};
    meter->getParameterDisplay(look_->referenceIndex, text, sizeof text);
    referenceControl_->setText(text);
    referenceControl_->setDirty(true);
}

CQVXMeterFULLPANEL::Reading CQVXMeterFULLPANEL::readChannel(velunor::MeterEngine& meter, int channel,
                                                             double phase) const {
    using velunor::MeterValue;
    Reading r{};
    r.level = meter.readDisplayValue(phase, MeterValue::Level, channel);
    const double held = meter.readDisplayValue(phase, MeterValue::Held, channel);
    meter.setHeldShown(channel, held);
    if (meter.holdMode() == 1) {
        if (held > meter.heldMax(channel))
            meter.setHeldMax(channel, held);
        else
            meter.setHeldShown(channel, meter.heldMax(channel));
    }
    r.held = meter.heldShown(channel);
    r.meanSquare = look_->meterIndex == 1 ? meter.readDisplayValue(phase, MeterValue::MeanSquare, channel) : 0.0;
    r.led = meter.pollOver(channel);
    return r;
}

void CQVXMeterFULLPANEL::idle(double phase) {
    if (!isOpen_) return;
    velunor::MeterEngine* meter = engine();
    if (!meter) return;
    for (int channel = 0; channel < 2; ++channel) {
        CQVXMeter2* view = views_[static_cast<std::size_t>(channel)];
        if (!view) continue;
        const Reading r = readChannel(*meter, channel, phase);
        showReading(view, r);
        view->ledState = std::isfinite(r.led) ? static_cast<int32>(r.led) : CQVXMeter2::kLedDark;
        view->setDirty(true);
    }
    meter->syncCalibration();
}
