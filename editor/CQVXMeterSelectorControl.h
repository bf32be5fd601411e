#pragma once
// The previous / next meter selector under the faces: the left and right arrows step through VU,
// RMS and PPM (wrapping), the middle opens or closes the back panel through an embedded button
// with tag 65. The arrow under the pointer lights, and the hint names the meter it selects.

#include "editor/CQVXHintControl.h"
#include "editor/CQVXOnOffButton.h"

class CQVXMeterSelectorControl : public CControl, public CQVXHintControl {
public:
    static constexpr int32 kTag = 3;
    static constexpr int32 kBackPanelTag = 65;
    static constexpr int32 kLeftZone = 0;
    static constexpr int32 kRightZone = 1;
    static constexpr int32 kNoZone = 2;
    // The arrows' width at either end.
    static constexpr int32 kArrowWidth = 20;

    CQVXMeterSelectorControl(const CRect& size, CControlListener* listener, CBitmap* bitmap);
    CQVXMeterSelectorControl(const CQVXMeterSelectorControl& other);
    ~CQVXMeterSelectorControl() override;

    int32 getHoverZone() const { return hoverZone_; }
    int32 getMeterIndex() const { return static_cast<int32>(getValue() * 2.0f + 0.5f); }
    CQVXOnOffButton* getBackPanelButton() const { return backPanelButton_; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;

    VELUNOR_CLASS_METHODS(CQVXMeterSelectorControl, CControl)

private:
    int32 zoneAt(CCoord x) const;
    void showZoneHint() { showHint(kTag, getValue(), &hoverZone_); }

    int32 leftEdge_;
    int32 rightEdge_;
    int32 hoverZone_ = kNoZone;
    CQVXOnOffButton* backPanelButton_;
};
