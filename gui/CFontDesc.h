#pragma once
// A font description: name, pixel size and style. The platform font behind it is made on first
// use through the platform factory, or handed over by the owner (a font read from a file).

#include <string>

#include "gui/IPlatformFont.h"

enum CTxtFace : int32 {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
};

class CFontDesc : public CBaseObject {
public:
    CFontDesc(const char* name = "", CCoord size = 0, int32 style = kNormalFace);
    CFontDesc(const CFontDesc& other);
    ~CFontDesc() override;

    const std::string& getName() const { return name_; }
    CCoord getSize() const { return size_; }
    int32 getStyle() const { return style_; }
    void setName(const char* name);
    void setSize(CCoord size);
    void setStyle(int32 style);

    // Null when the platform has no such font; text in this font is then not drawn.
    IPlatformFont* getPlatformFont();
    // Takes one reference to `font` (the caller keeps its own).
    void setPlatformFont(IPlatformFont* font);

    bool isTypeOf(const char* className) const override {
        return std::strcmp(className, "CFontDesc") == 0 || CBaseObject::isTypeOf(className);
    }
    const char* getClassName() const override { return "CFontDesc"; }

private:
    void freePlatformFont();

    std::string name_;
    CCoord size_;
    int32 style_;
    IPlatformFont* platformFont_ = nullptr;
    bool platformFontTried_ = false;
};

using CFontRef = CFontDesc*;

// The standard fonts, shared by every instance in the process; sizes in pixels.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
