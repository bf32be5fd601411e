#include "gui/CFontDesc.h"

#include "gui/IPlatformFactory.h"

CFontDesc::CFontDesc(const char* name, CCoord size, int32 style)
    : name_(name ? name : ""), size_(size), style_(style) {}

CFontDesc::CFontDesc(const CFontDesc& other)
    : CBaseObject(other), name_(other.name_), size_(other.size_), style_(other.style_) {}

CFontDesc::~CFontDesc() { freePlatformFont(); }

void CFontDesc::freePlatformFont() {
    if (platformFont_) platformFont_->forget();
    platformFont_ = nullptr;
    platformFontTried_ = false;
}

void CFontDesc::setName(const char* name) {
    name_ = name ? name : "";
    freePlatformFont();
}
void CFontDesc::setSize(CCoord size) {
    size_ = size;
    freePlatformFont();
}
void CFontDesc::setStyle(int32 style) {
    style_ = style;
    freePlatformFont();
}

IPlatformFont* CFontDesc::getPlatformFont() {
    if (!platformFont_ && !platformFontTried_) {
        platformFontTried_ = true;
        if (IPlatformFactory* factory = getPlatformFactory())
            platformFont_ = factory->createFont(name_.c_str(), size_, style_);
    }
    return platformFont_;
}

void CFontDesc::setPlatformFont(IPlatformFont* font) {
    if (font) font->remember();
    freePlatformFont();
    platformFont_ = font;
    platformFontTried_ = true;
}

namespace {
// Function-local statics would be destroyed in an order we do not control; these live in one
// place and are freed together when the library unloads.
CFontDesc gSystemFont("Arial", 12);
CFontDesc gNormalFontVeryBig("Arial", 18);
CFontDesc gNormalFontBig("Arial", 14);
CFontDesc gNormalFont("Arial", 12);
CFontDesc gNormalFontSmall("Arial", 11);
CFontDesc gNormalFontSmaller("Arial", 10);
CFontDesc gNormalFontVerySmall("Arial", 9);
}  // namespace

const CFontRef kSystemFont = &gSystemFont;
const CFontRef kNormalFontVeryBig = &gNormalFontVeryBig;
const CFontRef kNormalFontBig = &gNormalFontBig;
const CFontRef kNormalFont = &gNormalFont;
const CFontRef kNormalFontSmall = &gNormalFontSmall;
const CFontRef kNormalFontSmaller = &gNormalFontSmaller;
const CFontRef kNormalFontVerySmall = &gNormalFontVerySmall;
