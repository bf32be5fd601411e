#pragma once
// The GLOBAL / SESSION / INSTANCE selector: three zones side by side, one frame per mode; the
// value is the mode's index times one half.

#include "gui/CControl.h"

class CQVXCalibrationControl : public CControl {
public:
    CQVXCalibrationControl(const CRect& size, CControlListener* listener, int32 tag, CBitmap* bitmap);

    int32 getMode() const { return static_cast<int32>(getValue() * 2.0f + 0.5f); }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;

    VELUNOR_CLASS_METHODS(CQVXCalibrationControl, CControl)
};
