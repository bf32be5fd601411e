#pragma once
// A view with a normalised value, a tag and a listener. setValue only stores (clamped): it neither
// notifies nor redraws, so owners may call it from any thread; the user-interface thread then
// redraws through the dirty flag.

#include "gui/CControlListener.h"
#include "gui/CView.h"

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32 tag = 0,
             CBitmap* background = nullptr);
    CControl(const CControl& other);

    virtual void setValue(float value);
    float getValue() const { return value_; }
    // The value mapped to 0..1 of the control's range.
    float getValueNormalized() const;
    virtual void setMin(float value) { min_ = value; }
    float getMin() const { return min_; }
    virtual void setMax(float value) { max_ = value; }
    float getMax() const { return max_; }
    void setDefaultValue(float value) { defaultValue_ = value; }
    float getDefaultValue() const { return defaultValue_; }
    void setWheelInc(float value) { wheelInc_ = value; }
    float getWheelInc() const { return wheelInc_; }
    // Keeps the value inside min..max.
    void bounceValue();

    void setTag(int32 tag) { tag_ = tag; }
    int32 getTag() const { return tag_; }
    void setListener(CControlListener* listener) { listener_ = listener; }
    CControlListener* getListener() const { return listener_; }

    // Tells the listener.
    virtual void valueChanged();
    // A gesture starts / ends: the editor tells the host, for the parameter of the control's tag.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing_ > 0; }

    // Control-click sets the default value, as in the early library.
    bool checkDefaultValue(const CButtonState& buttons);

    VELUNOR_CLASS_METHODS(CControl, CView)

protected:
    // The continuous controls (knob, slider) share how a drag step, the drag's end and a wheel
    // notch reach the listener and the host.
    // A drag step: the listener hears of it and the control redraws only if the value moved.
    void dragStepDone(float oldValue);
    CMouseEventResult endDrag();
    // A wheel notch moves the value by `step` of the range, as a whole gesture of its own.
    bool wheelStep(float distance, float step);

    CControlListener* listener_;
    int32 tag_;
    velunor::Relaxed<float> value_{0.0f};
    float min_ = 0.0f;
    float max_ = 1.0f;
    float defaultValue_ = 0.5f;
    float wheelInc_ = 0.1f;
    int32 editing_ = 0;
};

// Clamps v into lo..hi; NaN becomes lo, so a bad host value can never leave a control undrawable.
float clampControlValue(float v, float lo, float hi);
