#include "editor/CFrontReferenceControl.h"

#include <cstring>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/Utf8Text.h"

void CFrontReferenceControl::setText(const char* utf8) {
    const std::string_view kept = utf8::cut(utf8 ? utf8 : "", kTextBytes - 1);
    std::memcpy(text_.data(), kept.data(), kept.size());
    text_[kept.size()] = '\0';
    setDirty();
}

void CFrontReferenceControl::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) bitmap->draw(context, size_, CPoint(0, 0), 1.0f);
    if (text_[0]) {
        context->saveGlobalState();
        context->setFont(kNormalFontVerySmall);
        context->setFontColor(kTextColor);
        context->drawString(text_.data(), CRect(size_.left + 81, size_.top, size_.right - 2, size_.bottom),
                            kCenterText, true);
        context->restoreGlobalState();
    }
    setDirty(false);
}

CMouseEventResult CFrontReferenceControl::onMouseEntered(CPoint&, const CButtonState&) {
    showHint(getTag(), 0.0f, nullptr);
    return kMouseEventHandled;
}

CMouseEventResult CFrontReferenceControl::onMouseExited(CPoint&, const CButtonState&) {
    clearHint();
    return kMouseEventHandled;
}
