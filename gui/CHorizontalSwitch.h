#pragma once
// A switch of N positions side by side: a click at x selects position int((x - left) / (width / N))
// and the switch follows the pointer while dragging. It draws frame int(n * (frames - 1) + 0.5).

#include "gui/CControl.h"

class CHorizontalSwitch : public CControl {
public:
    CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                      CCoord heightOfOneImage, int32 maxPositions, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0));
    // As many positions as the bitmap has frames of the view's height.
    CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                      const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;

    int32 getNumSubPixmaps() const { return subPixmaps_; }
    int32 getMaxPositions() const { return maxPositions_; }

    VELUNOR_CLASS_METHODS(CHorizontalSwitch, CControl)

protected:
    int32 subPixmaps_;
    CCoord heightOfOneImage_;
    int32 maxPositions_;
    CPoint offset_;
};
