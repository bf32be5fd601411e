#include "editor/CQVXLatencyControl.h"

#include <cmath>

#include "editor/WheelStepping.h"
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

namespace {

// The digits: the library's smaller font, drawn at 11 pixels and bold.
CFontDesc* digitFont() {
    static CFontDesc font(kNormalFontSmaller->getName().c_str(), 11, kBoldFace);
    return &font;
}

constexpr CCoord kDigitLeft[] = {4, 11, 18};
constexpr CCoord kDigitTop = 16;
constexpr CCoord kDigitWidth = 6;
constexpr CCoord kDigitHeight = 12;
// The arrows: a column this wide either side of the centre, above / below these lines.
constexpr CCoord kArrowHalfWidth = 10;
constexpr CCoord kUpperArrowBottom = 14;
constexpr CCoord kLowerArrowTop = 26;

}  // namespace

CQVXLatencyControl::CQVXLatencyControl(const CRect& size, CControlListener* listener, int32 tag, CBitmap* bitmap)
    : CAnimKnob(size, listener, tag, 3, kLayerHeight, bitmap) {}

int32 CQVXLatencyControl::getMilliseconds() const { return static_cast<int32>(getValue() * kMaxMs + 0.5f); }

void CQVXLatencyControl::draw(CDrawContext* context) {
    CBitmap* bitmap = getBackground();
    if (bitmap) bitmap->draw(context, size_, CPoint(0, 0), 1.0f);
    const int32 ms = getMilliseconds();
    const int32 digits[] = {ms / 100 % 10, ms / 10 % 10, ms % 10};
    context->saveGlobalState();
    context->setFont(digitFont());
    context->setFontColor(kBlackCColor);
    for (int i = 0; i < 3; ++i) {
        const char text[2] = {static_cast<char>('0' + digits[i]), '\0'};
        const CRect cell(size_.left + kDigitLeft[i], size_.top + kDigitTop, size_.left + kDigitLeft[i] + kDigitWidth,
                         size_.top + kDigitTop + kDigitHeight);
        context->drawString(text, cell, kCenterText, true);
    }
    context->restoreGlobalState();
    if (bitmap) {
        bitmap->draw(context, size_, CPoint(0, kLayerHeight), 1.0f);
        bitmap->draw(context, size_, CPoint(0, 2 * kLayerHeight), 1.0f);
    }
    setDirty(false);
}

CMouseEventResult CQVXLatencyControl::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton() || !getListener()) return kMouseEventNotHandled;
    beginEdit();
    const bool inArrowColumn = std::abs(where.x - size_.getCenter().x) <= kArrowHalfWidth;
    const float step = ((buttons & kShift) ? 1.0f : 10.0f) / kMaxMs;
    if (inArrowColumn && (where.y <= size_.top + kUpperArrowBottom || where.y >= size_.top + kLowerArrowTop)) {
        const float sign = where.y <= size_.top + kUpperArrowBottom ? 1.0f : -1.0f;
        velunor::editor::setValueAndReport(*this, getValue() + sign * step);
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (buttons.isDoubleClick()) {
        // Reported even when the value stays: the label strip must see the flag now, or a later
        // arrow click would adopt the host latency instead of stepping.
        doubleClicked = true;
        setValue(getDefaultValue());
        valueChanged();
        invalid();
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    lastY_ = where.y;
    dragging_ = true;
    return kMouseEventHandled;
}

CMouseEventResult CQVXLatencyControl::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton() || !getListener() || !dragging_) return kMouseEventNotHandled;
    const float pixels = static_cast<float>(lastY_ - where.y);
    const float delta = (buttons & kShift) ? pixels / 10.0f / kMaxMs : pixels * 2.0f / kMaxMs;
    velunor::editor::setValueAndReport(*this, clampControlValue(getValue() + delta, 0.0f, 1.0f));
    lastY_ = where.y;
    return kMouseEventHandled;
}

CMouseEventResult CQVXLatencyControl::onMouseUp(CPoint&, const CButtonState&) {
    dragging_ = false;
    endEdit();
    return kMouseEventHandled;
}

bool CQVXLatencyControl::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    return velunor::editor::applyWheelStep(*this, distance, buttons, wheelStep, wheelFineFactor);
}
