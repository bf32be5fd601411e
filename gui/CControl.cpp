#include "gui/CControl.h"

#include <cmath>

#include "gui/CFrame.h"

float clampControlValue(float v, float lo, float hi) {
    if (std::isnan(v)) return lo;
    return v < lo ? lo : (v > hi ? hi : v);
}

CControl::CControl(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background)
    : CView(size), listener_(listener), tag_(tag) {
    setBackground(background);
    setDirty(false);
}

CControl::CControl(const CControl& other)
    : CView(other),
      listener_(other.listener_),
      tag_(other.tag_),
      value_(other.value_.load()),
      min_(other.min_),
      max_(other.max_),
      defaultValue_(other.defaultValue_),
      wheelInc_(other.wheelInc_) {}

void CControl::setValue(float value) { value_ = clampControlValue(value, min_, max_); }

float CControl::getValueNormalized() const {
    const float range = max_ - min_;
    return range > 0 ? (value_ - min_) / range : 0.0f;
}

void CControl::bounceValue() { value_ = clampControlValue(value_, min_, max_); }

void CControl::dragStepDone(float oldValue) {
    if (getValue() != oldValue) {
        valueChanged();
        invalid();
    }
}

CMouseEventResult CControl::endDrag() {
    if (!isEditing()) return kMouseEventNotHandled;
    endEdit();
    return kMouseEventHandled;
}

bool CControl::wheelStep(float distance, float step) {
    const float old = getValue();
    setValue(old + distance * step * (getMax() - getMin()));
    if (getValue() != old) {
        invalid();
        beginEdit();
        valueChanged();
        endEdit();
    }
    return true;
}

void CControl::valueChanged() {
    if (listener_) listener_->valueChanged(this);
}

void CControl::beginEdit() {
    ++editing_;
    if (listener_) listener_->controlBeginEdit(this);
    if (CFrame* frame = getFrame()) {
        if (VSTGUIEditorInterface* editor = frame->getEditor()) editor->beginEdit(tag_);
    }
}

void CControl::endEdit() {
    if (editing_ > 0) --editing_;
    if (CFrame* frame = getFrame()) {
        if (VSTGUIEditorInterface* editor = frame->getEditor()) editor->endEdit(tag_);
    }
    if (listener_) listener_->controlEndEdit(this);
}

bool CControl::checkDefaultValue(const CButtonState& buttons) {
    if ((buttons & (kControl | kLButton)) != (kControl | kLButton)) return false;
    beginEdit();
    const float old = value_;
    setValue(defaultValue_);
    if (value_ != old) {
        valueChanged();
        invalid();
    }
    endEdit();
    return true;
}
