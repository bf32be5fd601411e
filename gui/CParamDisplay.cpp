#include "gui/CParamDisplay.h"

#include <cstdio>

#include "gui/CBitmap.h"

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32 style)
    : CControl(size, nullptr, -1, background), style_(style) {
    setFont(kNormalFont);
}

CParamDisplay::CParamDisplay(const CParamDisplay& other)
    : CControl(other),
      fontColor_(other.fontColor_),
      backColor_(other.backColor_),
      frameColor_(other.frameColor_),
      horiAlign_(other.horiAlign_),
      style_(other.style_),
      antialias_(other.antialias_),
      backOffset_(other.backOffset_),
      valueToString_(other.valueToString_),
      valueToStringUserData_(other.valueToStringUserData_) {
    setFont(other.font_);
}

CParamDisplay::~CParamDisplay() {
    if (font_) font_->forget();
}

void CParamDisplay::setFont(CFontDesc* font) {
    if (font) font->remember();
    if (font_) font_->forget();
    font_ = font;
    setDirty();
}

void CParamDisplay::draw(CDrawContext* context) {
    if (!(style_ & kNoDrawStyle)) {
        char text[256] = {0};
        if (!valueToString_ || !valueToString_(getValue(), text, valueToStringUserData_))
            std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(getValue()));
        drawBack(context);
        drawText(context, text);
        drawFrame(context);
    }
    setDirty(false);
}

void CParamDisplay::drawBack(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) {
        bitmap->draw(context, size_, backOffset_, getAlphaValue());
    } else if (!getTransparency()) {
        context->setFillColor(backColor_);
        context->drawRect(size_, kDrawFilled);
    }
}

void CParamDisplay::drawText(CDrawContext* context, const char* utf8) {
    if ((style_ & kNoTextStyle) || !utf8 || !*utf8) return;
    context->saveGlobalState();
    context->setFont(font_);
    context->setFontColor(fontColor_);
    CRect textRect = size_;
    context->drawString(utf8, textRect, horiAlign_, antialias_);
    context->restoreGlobalState();
}

void CParamDisplay::drawFrame(CDrawContext* context) {
    if (style_ & kNoFrame) return;
    context->saveGlobalState();
    context->setFrameColor(frameColor_);
    context->setLineWidth(1);
    context->setDrawMode(kAliasing);
    context->drawRect(size_, kDrawStroked);
    context->restoreGlobalState();
}
