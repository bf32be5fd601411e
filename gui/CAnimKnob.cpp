#include "gui/CAnimKnob.h"

#include "gui/CBitmap.h"
#include "gui/FilmStrip.h"

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                     CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      subPixmaps_(subPixmaps),
      heightOfOneImage_(heightOfOneImage) {}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                     const CPoint& offset)
    : CAnimKnob(size, listener, tag,
                background && size.getHeight() > 0 ? static_cast<int32>(background->getHeight() / size.getHeight()) : 0,
                size.getHeight(), background, offset) {}

void CAnimKnob::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        const int32 frame = filmStripFrame(getValueNormalized(), subPixmaps_);
        bitmap->draw(context, size_, CPoint(offset_.x, offset_.y + frame * heightOfOneImage_), getAlphaValue());
    }
    setDirty(false);
}
