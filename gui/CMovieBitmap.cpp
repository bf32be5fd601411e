#include "gui/CMovieBitmap.h"

#include "gui/FilmStrip.h"

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                           CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background),
      subPixmaps_(subPixmaps),
      heightOfOneImage_(heightOfOneImage),
      offset_(offset) {
}

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                           const CPoint& offset)
    : CMovieBitmap(size, listener, tag,
                   filmStripFrames(background, size),
                   size.getHeight(), background, offset) {}

void CMovieBitmap::draw(CDrawContext* context) {
    drawFilmStripFrame(context, getBackground(), size_, offset_, getValueNormalized(), subPixmaps_, heightOfOneImage_,
                       getAlphaValue());
    setDirty(false);
}
