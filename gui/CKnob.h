#pragma once
// A rotary knob: a background and a handle (a line, or a bitmap at the handle's point) on an arc
// from 225 degrees down to -45 degrees. It follows the process-wide knob mode: circular (the value
// follows the pointer's angle) or linear (up and right increase).

#include "gui/CControl.h"

class CKnob : public CControl {
public:
    // Early VSTGUI 4: a linear drag over this many pixels sweeps the whole range; Shift makes it
    // kDefaultZoomFactor times longer.
    static constexpr CCoord kLinearRangePixels = 200;
    static constexpr float kDefaultZoomFactor = 10.0f;
    static constexpr float kStartAngle = 5.0f * 3.14159265358979f / 4.0f;
    static constexpr float kRangeAngle = -3.0f * 3.14159265358979f / 2.0f;

    CKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint(0, 0));
    CKnob(const CKnob& other);
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;

    void setHandleBitmap(CBitmap* handle);
    void setColorHandle(const CColor& color) { colorHandle_ = color; }
    void setInsetValue(CCoord inset) { inset_ = inset; }
    void setZoomFactor(float factor) { zoomFactor_ = factor; }

    // The handle's end point for a normalised value, in parent coordinates.
    CPoint valueToPoint(float normalized) const;
    float angleToValue(const CPoint& where) const;

    VELUNOR_CLASS_METHODS(CKnob, CControl)

protected:
    virtual void drawHandle(CDrawContext* context);

    CBitmap* handleBitmap_ = nullptr;
    CPoint offset_;
    CColor colorHandle_ = kWhiteCColor;
    CCoord inset_ = 3;
    float zoomFactor_ = kDefaultZoomFactor;

private:
    CPoint firstPoint_;
    float entryValue_ = 0;
    int32 entryButtons_ = 0;
    int32 mode_ = 0;
};
