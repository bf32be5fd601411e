#pragma once
// A momentary button: max while pressed with the pointer over it, min otherwise. Frame 0 of the
// strip is released, frame 1 (one image height lower) pressed.

#include "gui/CControl.h"

class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, int32 tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;

    CCoord getHeightOfOneImage() const { return heightOfOneImage_; }
    const CPoint& getOffset() const { return offset_; }

    VELUNOR_CLASS_METHODS(CKickButton, CControl)

protected:
    CCoord heightOfOneImage_;
    CPoint offset_;
};
