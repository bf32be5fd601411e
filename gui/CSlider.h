#pragma once
// A slider: a handle bitmap travelling over a background. The handle occupies `rangeHandle`
// pixels of travel range, itself included; it sits at offsetHandle + floor(n * travel) along the
// axis, travel = rangeHandle - handle length.

#include "gui/CControl.h"

class CSlider : public CControl {
public:
    // Style bits of the early VSTGUI 4 releases (later releases renumbered them).
    static constexpr int32 kHorizontal = 1 << 0;
    static constexpr int32 kVertical = 1 << 1;
    static constexpr int32 kLeft = 1 << 3;
    static constexpr int32 kRight = 1 << 4;
    static constexpr int32 kTop = 1 << 5;
    static constexpr int32 kBottom = 1 << 6;
    // Shift divides the pointer's effect by this much.
    static constexpr float kDefaultZoomFactor = 10.0f;

    CSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
            int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
            int32 style = kLeft | kHorizontal);
    CSlider(const CSlider& other);
    ~CSlider() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    using CControl::onWheel;

    void setHandle(CBitmap* handle);
    CBitmap* getHandle() const { return handle_; }
    int32 getStyle() const { return style_; }
    bool isHorizontal() const { return (style_ & kHorizontal) != 0; }
    // Pixels the handle can move.
    CCoord getTravel() const;
    // The handle's rectangle for the current value, in parent coordinates.
    CRect getHandleRect() const;
    void setZoomFactor(float factor) { zoomFactor_ = factor; }

    VELUNOR_CLASS_METHODS(CSlider, CControl)

private:
    // Where the handle starts along the axis, for a normalised position n (0 = minimum).
    CCoord handlePosition(float normalized) const;
    bool minimumAtFarEnd() const;
    CCoord axis(const CPoint& p) const { return isHorizontal() ? p.x : p.y; }

    CPoint offsetHandle_;
    int32 rangeHandle_;
    CBitmap* handle_ = nullptr;
    CPoint offset_;
    int32 style_;
    float zoomFactor_ = kDefaultZoomFactor;
    CCoord delta_ = 0;
    float oldValue_ = 0;
    CCoord oldPosition_ = 0;
    int32 oldButtons_ = 0;
};
