#include "gui/CHorizontalSwitch.h"

#include <cmath>

#include "gui/FilmStrip.h"

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                                     CCoord heightOfOneImage, int32 maxPositions, CBitmap* background,
                                     const CPoint& offset)
    : CControl(size, listener, tag, background),
      subPixmaps_(subPixmaps),
      heightOfOneImage_(heightOfOneImage),
      maxPositions_(maxPositions),
      offset_(offset) {}

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                                     const CPoint& offset)
    : CHorizontalSwitch(size, listener, tag,
                        filmStripFrames(background, size),
                        size.getHeight(), 0, background, offset) {
    maxPositions_ = subPixmaps_;
}

void CHorizontalSwitch::draw(CDrawContext* context) {
    drawFilmStripFrame(context, getBackground(), size_, offset_, getValueNormalized(), subPixmaps_, heightOfOneImage_,
                       getAlphaValue());
    setDirty(false);
}

CMouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isEditing() || !buttons.isLeftButton()) return kMouseEventNotHandled;
    if (maxPositions_ < 2 || getWidth() <= 0) return kMouseEventHandled;
    const double cell = getWidth() / maxPositions_;
    int32 index = static_cast<int32>(std::floor((where.x - size_.left) / cell));
    index = std::clamp(index, 0, maxPositions_ - 1);
    const float old = getValue();
    setValue(getMin() + static_cast<float>(index) / static_cast<float>(maxPositions_ - 1) * (getMax() - getMin()));
    if (getValue() != old) {
        valueChanged();
        invalid();
    }
    return kMouseEventHandled;
}

CMouseEventResult CHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&) {
    if (!isEditing()) return kMouseEventNotHandled;
    endEdit();
    return kMouseEventHandled;
}
