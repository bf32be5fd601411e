#pragma once
// A font for the cairo draw context: a system family found through fontconfig, or a font file
// opened with FreeType for this process alone (nothing is installed system-wide).

#include "gui/IPlatformFont.h"

using cairo_scaled_font_t = struct _cairo_scaled_font;
using cairo_font_face_t = struct _cairo_font_face;

namespace velunor::platform {

class CairoFont : public IPlatformFont, public IFontPainter {
public:
    // Null when fontconfig knows no font at all (any sans face stands in for a missing family).
    static CairoFont* fromFamily(const char* family, double sizePx, int32 style);
    // Null when the file is missing or is not a font FreeType can read.
    static CairoFont* fromFile(const char* path, double sizePx, int32 style);
    ~CairoFont() override;
    CairoFont(const CairoFont&) = delete;

    double getAscent() const override { return ascent_; }
    double getDescent() const override { return descent_; }
    double getLeading() const override { return leading_; }
    double getCapHeight() const override { return capHeight_; }
    IFontPainter* getPainter() override { return this; }

    void drawString(CDrawContext* context, const char* utf8, const CPoint& baseline, bool antialias) override;
    CCoord getStringWidth(CDrawContext* context, const char* utf8, bool antialias) override;

private:
    // Takes over the face reference.
    CairoFont(cairo_font_face_t* face, double sizePx, int32 style);
    // The font of the face (taken over), or null when cairo cannot use it.
    static CairoFont* createUsable(cairo_font_face_t* face, double sizePx, int32 style);
    bool isUsable() const;

    cairo_scaled_font_t* scaled_ = nullptr;
    int32 style_;
    double ascent_ = -1, descent_ = -1, leading_ = -1, capHeight_ = -1;
};

}  // namespace velunor::platform
