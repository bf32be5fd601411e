#pragma once
// A knob drawn as a film strip: frame int(n * (frames - 1) + 0.5) of the bitmap.

#include "gui/CKnob.h"

class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
    // The frame count is the bitmap's height divided by the view's height.
    CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
              const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    int32 getNumSubPixmaps() const { return subPixmaps_; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage_; }

    VELUNOR_CLASS_METHODS(CAnimKnob, CKnob)

protected:
    int32 subPixmaps_;
    CCoord heightOfOneImage_;
};
