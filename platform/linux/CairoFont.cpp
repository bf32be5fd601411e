#include "platform/linux/CairoFont.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "gui/CDrawContext.h"

namespace velunor::platform {
namespace {

// One FreeType library for the process, kept until it ends: cairo may still hold faces made
// from it while static objects are destroyed.
FT_Library freeTypeLibrary() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        return FT_Init_FreeType(&lib) == 0 ? lib : nullptr;
    }();
    return library;
}

const cairo_user_data_key_t kFaceKey{};

void doneFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

CairoFont* CairoFont::createUsable(cairo_font_face_t* face, double sizePx, int32 style) {
    auto* font = new CairoFont(face, sizePx, style);
    if (!font->isUsable()) {
        font->forget();
        return nullptr;
    }
    return font;
}

CairoFont* CairoFont::fromFamily(const char* family, double sizePx, int32 style) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family && *family ? family : "sans"));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, sizePx);
    if (style & kBoldFace) FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    if (style & kItalicFace) FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return nullptr;
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
    return createUsable(face, sizePx, style);
}

CairoFont* CairoFont::fromFile(const char* path, double sizePx, int32 style) {
    FT_Library library = freeTypeLibrary();
    if (!library || !path || !*path) return nullptr;
    FT_Face ftFace = nullptr;
    if (FT_New_Face(library, path, 0, &ftFace) != 0) return nullptr;
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    if (cairo_font_face_set_user_data(face, &kFaceKey, ftFace, &doneFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        FT_Done_Face(ftFace);
        return nullptr;
    }
    unsigned int synthesize = 0;
    if (style & kBoldFace) synthesize |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (style & kItalicFace) synthesize |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (synthesize) cairo_ft_font_face_set_synthesize(face, synthesize);
    return createUsable(face, sizePx, style);
}

CairoFont::CairoFont(cairo_font_face_t* face, double sizePx, int32 style) : style_(style) {
    cairo_matrix_t fontMatrix, ctm;
    cairo_matrix_init_scale(&fontMatrix, sizePx, sizePx);
    cairo_matrix_init_identity(&ctm);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    scaled_ = cairo_scaled_font_create(face, &fontMatrix, &ctm, options);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(face);
    if (!isUsable()) return;
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(scaled_, &extents);
    ascent_ = extents.ascent;
    descent_ = extents.descent;
    leading_ = extents.height - extents.ascent - extents.descent;
    cairo_text_extents_t h;
    cairo_scaled_font_text_extents(scaled_, "H", &h);
    capHeight_ = -h.y_bearing > 0 ? -h.y_bearing : -1;
}

CairoFont::~CairoFont() {
    if (scaled_) cairo_scaled_font_destroy(scaled_);
}

bool CairoFont::isUsable() const {
    return scaled_ && cairo_scaled_font_status(scaled_) == CAIRO_STATUS_SUCCESS;
}

void CairoFont::drawString(CDrawContext* context, const char* utf8, const CPoint& baseline, bool antialias) {
    if (!context || !utf8) return;
    cairo_t* cr = context->getCairo();
    cairo_save(cr);
    cairo_set_scaled_font(cr, scaled_);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_move_to(cr, baseline.x, baseline.y);
    cairo_show_text(cr, utf8);
    if (style_ & kUnderlineFace) {
        cairo_text_extents_t extents;
        cairo_scaled_font_text_extents(scaled_, utf8, &extents);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, baseline.x, baseline.y + 1.5);
        cairo_rel_line_to(cr, extents.x_advance, 0);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

CCoord CairoFont::getStringWidth(CDrawContext*, const char* utf8, bool) {
    if (!utf8) return 0;
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(scaled_, utf8, &extents);
    return extents.x_advance;
}

}  // namespace velunor::platform
