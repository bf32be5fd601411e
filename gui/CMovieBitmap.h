#pragma once
// Shows one frame of a film strip for its value, int(n * (frames - 1) + 0.5); takes no input.

#include "gui/CControl.h"

class CMovieBitmap : public CControl {
public:
    CMovieBitmap(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                 CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
    CMovieBitmap(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                 const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;

    VELUNOR_CLASS_METHODS(CMovieBitmap, CControl)

private:
    int32 subPixmaps_;
    CCoord heightOfOneImage_;
    CPoint offset_;
};
