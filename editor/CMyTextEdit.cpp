#include "editor/CMyTextEdit.h"

CMyTextEdit::CMyTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text,
                         CBitmap* background, bool useOwnFont)
    : CQVXTextEdit(size, listener, tag, text, background, useOwnFont) {
    setBackOffset(size.getTopLeft());
}

void CMyTextEdit::setViewSize(const CRect& rect, bool invalidate) {
    setBackOffset(rect.getTopLeft());
    CQVXTextEdit::setViewSize(rect, invalidate);
}

CMouseEventResult CMyTextEditAH::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!isActive()) return kMouseEventHandled;
    return CMyTextEdit::onMouseDown(where, buttons);
}

CMouseEventResult CMyTextEditAH::onMouseEntered(CPoint&, const CButtonState&) {
    if (isActive()) clearHint();
    else showHint(getTag(), 0.0f, nullptr);
    return kMouseEventHandled;
}

CMouseEventResult CMyTextEditAH::onMouseExited(CPoint&, const CButtonState&) {
    clearHint();
    return kMouseEventHandled;
}
