#include "gui/CAnimKnob.h"

#include "gui/FilmStrip.h"

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      subPixmaps_(subPixmaps),
      heightOfOneImage_(heightOfOneImage) {}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                     const CPoint& offset)
    : CAnimKnob(size, listener, tag,
                filmStripFrames(background, size),
                size.getHeight(), background, offset) {}

void CAnimKnob::draw(CDrawContext* context) {
    drawFilmStripFrame(context, getBackground(), size_, offset_, getValueNormalized(), subPixmaps_, heightOfOneImage_,
                       getAlphaValue());
    setDirty(false);
}
