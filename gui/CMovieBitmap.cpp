#include "gui/CMovieBitmap.h"

#include "gui/CBitmap.h"
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
                   background && size.getHeight() > 0 ? static_cast<int32>(background->getHeight() / size.getHeight()) : 0,
                   size.getHeight(), background, offset) {}

void CMovieBitmap::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        const int32 frame = filmStripFrame(getValueNormalized(), subPixmaps_);
        bitmap->draw(context, size_, CPoint(offset_.x, offset_.y + frame * heightOfOneImage_), getAlphaValue());
    }
    setDirty(false);
}
