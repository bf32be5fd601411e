#pragma once
// The label strip's LAG TIME control: 0 to 999 ms shown as three digits between two arrows. The
// arrows step 10 ms (1 ms with Shift), a drag moves 2 ms per pixel (a tenth of a millisecond
// with Shift), a double click outside the arrows sets the default and raises a flag that the
// label strip reads (it then adopts the host's output latency).

#include "gui/CAnimKnob.h"

class CQVXLatencyControl : public CAnimKnob {
public:
    static constexpr float kMaxMs = 999.0f;
    // The three layers of the bitmap lie this far apart: back, then two overlays above the digits.
    static constexpr CCoord kLayerHeight = 40;

    CQVXLatencyControl(const CRect& size, CControlListener* listener, int32 tag, CBitmap* bitmap);

    // The milliseconds shown for the current value.
    int32 getMilliseconds() const;
    // Read and cleared by the label strip.
    bool doubleClicked = false;
    float wheelStep = 0.0f;
    float wheelFineFactor = 0.1f;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CAnimKnob::onWheel;

    VELUNOR_CLASS_METHODS(CQVXLatencyControl, CAnimKnob)

private:
    CCoord lastY_ = 0;
    bool dragging_ = false;
};
