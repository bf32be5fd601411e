#pragma once
// A text edit lying on a panel face: it draws the part of the face's bitmap under it, so it is
// constructed with that bitmap and keeps its background offset at its own top-left corner. The AH
// form (the trim and filter frequency fields) opens no edit while PROCESS is off.

#include "editor/CQVXActiveControl.h"
#include "editor/CQVXHintControl.h"
#include "editor/CQVXTextEdit.h"

class CMyTextEdit : public CQVXTextEdit {
public:
    CMyTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text, CBitmap* background,
                bool useOwnFont);

    void setViewSize(const CRect& rect, bool invalidate = true) override;

    VELUNOR_CLASS_METHODS(CMyTextEdit, CQVXTextEdit)
};

class CMyTextEditAH : public CMyTextEdit, public CQVXActiveControl, public CQVXHintControl {
public:
    using CMyTextEdit::CMyTextEdit;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CMyTextEditAH, CMyTextEdit)
};
