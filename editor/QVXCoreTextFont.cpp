#include "editor/QVXCoreTextFont.h"

#include <algorithm>

#include "gui/IPlatformFactory.h"

QVXCoreTextFont::QVXCoreTextFont(const char* path, CCoord size, int32 style)
    : path_(path ? path : ""), size_(size), style_(style) {}

QVXCoreTextFont::~QVXCoreTextFont() {
    if (font_) font_->forget();
}

std::string QVXCoreTextFont::getFaceName() const {
    const std::size_t slash = path_.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

IPlatformFont* QVXCoreTextFont::drawingFont() {
    if (!tried_) {
        tried_ = true;
        // The other system's drawing font is (size - 9.5) points, which at 96 pixels per inch is
        // the description's size in pixels again: 28.5 points are 38 pixels.
        if (IPlatformFactory* factory = getPlatformFactory(); factory && !path_.empty())
            font_ = factory->createFontFromFile(path_.c_str(), size_, style_);
    }
    return font_;
}

double QVXCoreTextFont::getAscent() const { return font_ ? font_->getAscent() : -1; }
double QVXCoreTextFont::getDescent() const { return font_ ? font_->getDescent() : -1; }
double QVXCoreTextFont::getLeading() const { return font_ ? font_->getLeading() : -1; }

IFontPainter* QVXCoreTextFont::getPainter() { return drawingFont() ? this : nullptr; }

void QVXCoreTextFont::drawString(CDrawContext* context, const char* utf8, const CPoint& baseline, bool antialias) {
    IPlatformFont* font = drawingFont();
    if (!font || !context) return;
    // The point is where the text's line ends, one pixel below it: the line box (ascent, descent
    // and leading) is laid out from point.y + 1 - its height, so the base line sits that much higher.
    const double below = std::max(0.0, font->getDescent()) + std::max(0.0, font->getLeading()) - 1;
    if (IFontPainter* painter = font->getPainter())
        painter->drawString(context, utf8, CPoint(baseline.x, baseline.y - below), antialias);
}

CCoord QVXCoreTextFont::getStringWidth(CDrawContext* context, const char* utf8, bool antialias) {
    IPlatformFont* font = drawingFont();
    IFontPainter* painter = font ? font->getPainter() : nullptr;
    return painter ? painter->getStringWidth(context, utf8, antialias) : 0;
}
