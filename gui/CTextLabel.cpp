#include "gui/CTextLabel.h"

CTextLabel::CTextLabel(const CRect& size, const char* utf8, CBitmap* background, int32 style)
    : CParamDisplay(size, background, style), text_(utf8 ? utf8 : "") {}

void CTextLabel::setText(const char* utf8) {
    text_ = utf8 ? utf8 : "";
    setDirty();
}

void CTextLabel::draw(CDrawContext* context) {
    if (!(style_ & kNoDrawStyle)) {
        drawBack(context);
        drawText(context, text_.c_str());
        drawFrame(context);
    }
    setDirty(false);
}
