#include "resources/artwork/Draw.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velunor::artwork {

Colour mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour withAlpha(Colour c, double alpha) {
    c.a = alpha;
    return c;
}

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

namespace {
const char* const kSans = "Liberation Sans";
const char* const kNarrow = "Liberation Sans Narrow";

bool matchesFamily(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    if (!pattern) return false;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* found = nullptr;
    const bool ok = match && FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
                    std::strcmp(reinterpret_cast<const char*>(found), family) == 0;
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return ok;
}
}  // namespace

bool fontsInstalled(std::string& missingFamily) {
    for (const char* family : {kSans, kNarrow}) {
        if (!matchesFamily(family)) {
            missingFamily = family;
            return false;
        }
    }
    return true;
}

void selectFont(cairo_t* cr, Font font, double sizePx) {
    const bool narrow = font == Font::Narrow || font == Font::NarrowBold;
    const bool bold = font == Font::SansBold || font == Font::NarrowBold;
    cairo_select_font_face(cr, narrow ? kNarrow : kSans, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, sizePx);
    // Fixed options: the user's or the system's font configuration must not change the pictures.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

TextBox measure(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return {e.x_bearing, e.y_bearing, e.x_bearing + e.width, e.y_bearing + e.height};
}

static double advance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

TextBox drawText(cairo_t* cr, const std::string& text, double x, double baselineY, Align align, Colour colour) {
    const TextBox ink = measure(cr, text);
    double left = x;
    if (align == Align::Centre) left = x - advance(cr, text) / 2.0;
    if (align == Align::Right) left = x - advance(cr, text);
    setColour(cr, colour);
    cairo_move_to(cr, left, baselineY);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
    return {left + ink.left, baselineY + ink.top, left + ink.right, baselineY + ink.bottom};
}

TextBox drawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, Colour colour) {
    const TextBox ink = measure(cr, text);
    const double x = cx - (ink.left + ink.right) / 2.0;
    const double y = cy - (ink.top + ink.bottom) / 2.0;
    setColour(cr, colour);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
    return {x + ink.left, y + ink.top, x + ink.right, y + ink.bottom};
}

TextBox drawPrint(cairo_t* cr, const std::string& text, double cx, double cy, Colour colour) {
    drawTextCentred(cr, text, cx, cy + 1.0, rgb(0, 0, 0, 110));
    return drawTextCentred(cr, text, cx, cy, colour);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2.0, h / 2.0});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2.0, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, kPi / 2.0);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2.0, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3.0 * kPi / 2.0);
    cairo_close_path(cr);
}

void fillVertical(cairo_t* cr, double x, double y, double w, double h, Colour top, Colour bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, y, 0.0, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0.0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1.0, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    if (cairo_has_current_point(cr)) {
        cairo_fill(cr);
    } else {
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
    }
    cairo_pattern_destroy(p);
}

void drawWell(cairo_t* cr, double x, double y, double w, double h, double radius, Colour inside) {
    // Highlight below and right: the lower lip of the cut-out catches the light.
    roundedRect(cr, x - 0.5, y - 0.5, w + 1.0, h + 1.5, radius + 0.5);
    setColour(cr, rgb(255, 255, 255, 34));
    cairo_fill(cr);
    roundedRect(cr, x - 0.5, y - 0.5, w + 1.0, h + 0.5, radius + 0.5);
    setColour(cr, rgb(0, 0, 0, 150));
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, radius);
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, y, 0.0, y + h);
    const Colour top = mix(inside, rgb(0, 0, 0), 0.35);
    cairo_pattern_add_color_stop_rgba(p, 0.0, top.r, top.g, top.b, inside.a);
    cairo_pattern_add_color_stop_rgba(p, std::min(1.0, 3.0 / std::max(h, 3.0)), inside.r, inside.g, inside.b, inside.a);
    cairo_pattern_add_color_stop_rgba(p, 1.0, inside.r, inside.g, inside.b, inside.a);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void drawKey(cairo_t* cr, double x, double y, double w, double h, double radius, Colour face, bool pressed) {
    roundedRect(cr, x, y, w, h, radius);
    setColour(cr, rgb(0, 0, 0, 200));
    cairo_fill(cr);
    const double inset = 1.0;
    const Colour light = mix(face, rgb(255, 255, 255), pressed ? 0.05 : 0.22);
    const Colour dark = mix(face, rgb(0, 0, 0), pressed ? 0.10 : 0.25);
    roundedRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::max(0.0, radius - inset));
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, y, 0.0, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0.0, light.r, light.g, light.b, 1.0);
    cairo_pattern_add_color_stop_rgba(p, 1.0, dark.r, dark.g, dark.b, 1.0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // A thin top highlight on the raised key.
    if (!pressed) {
        cairo_move_to(cr, x + radius + 0.5, y + 1.5);
        cairo_line_to(cr, x + w - radius - 0.5, y + 1.5);
        setColour(cr, rgb(255, 255, 255, 60));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

void drawLamp(cairo_t* cr, double cx, double cy, double radius, Colour lit, double brightness) {
    // Bezel.
    cairo_arc(cr, cx, cy, radius + 1.0, 0.0, 2.0 * kPi);
    setColour(cr, rgb(0, 0, 0, 210));
    cairo_fill(cr);
    const Colour off = mix(lit, rgb(20, 16, 14), 0.78);
    const Colour body = mix(off, lit, brightness);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.35, radius * 0.1, cx, cy, radius);
    const Colour hot = mix(body, rgb(255, 255, 240), 0.25 + 0.45 * brightness);
    cairo_pattern_add_color_stop_rgba(p, 0.0, hot.r, hot.g, hot.b, 1.0);
    cairo_pattern_add_color_stop_rgba(p, 1.0, body.r * 0.8, body.g * 0.8, body.b * 0.8, 1.0);
    cairo_arc(cr, cx, cy, radius, 0.0, 2.0 * kPi);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    if (brightness > 0.5) {
        // Glow spilling onto the surround.
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, radius, cx, cy, radius * 2.6);
        cairo_pattern_add_color_stop_rgba(g, 0.0, lit.r, lit.g, lit.b, 0.35 * (brightness - 0.5) * 2.0);
        cairo_pattern_add_color_stop_rgba(g, 1.0, lit.r, lit.g, lit.b, 0.0);
        cairo_arc(cr, cx, cy, radius * 2.6, 0.0, 2.0 * kPi);
        cairo_arc_negative(cr, cx, cy, radius + 1.0, 2.0 * kPi, 0.0);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void drawScrew(cairo_t* cr, double cx, double cy, double radius, double slotDegrees) {
    cairo_arc(cr, cx, cy + 0.6, radius + 0.6, 0.0, 2.0 * kPi);
    setColour(cr, rgb(0, 0, 0, 160));
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - radius * 0.4, cy - radius * 0.4, 0.0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.85, 0.85, 0.84);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.38, 0.38, 0.37);
    cairo_arc(cr, cx, cy, radius, 0.0, 2.0 * kPi);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    const double a = slotDegrees * kPi / 180.0;
    const double dx = std::cos(a) * radius * 0.8, dy = std::sin(a) * radius * 0.8;
    cairo_move_to(cr, cx - dx, cy - dy);
    cairo_line_to(cr, cx + dx, cy + dy);
    cairo_set_line_width(cr, std::max(0.8, radius * 0.3));
    setColour(cr, rgb(30, 30, 30, 220));
    cairo_stroke(cr);
}

void drawArrow(cairo_t* cr, double cx, double cy, double size, int direction, Colour colour) {
    const double s = size / 2.0;
    switch (direction) {
        case -1: cairo_move_to(cr, cx - s, cy + s * 0.6); cairo_line_to(cr, cx + s, cy + s * 0.6); cairo_line_to(cr, cx, cy - s * 0.7); break;
        case 1: cairo_move_to(cr, cx - s, cy - s * 0.6); cairo_line_to(cr, cx + s, cy - s * 0.6); cairo_line_to(cr, cx, cy + s * 0.7); break;
        case -2: cairo_move_to(cr, cx + s * 0.6, cy - s); cairo_line_to(cr, cx + s * 0.6, cy + s); cairo_line_to(cr, cx - s * 0.7, cy); break;
        default: cairo_move_to(cr, cx - s * 0.6, cy - s); cairo_line_to(cr, cx - s * 0.6, cy + s); cairo_line_to(cr, cx + s * 0.7, cy); break;
    }
    cairo_close_path(cr);
    setColour(cr, colour);
    cairo_fill(cr);
}

}  // namespace velunor::artwork
