// The VU, PPM and RMS faces and the over LED. Marks are placed with the needle laws themselves, so
// each one sits exactly where the needle points for its value.
#include <cmath>
#include <string>

#include "resources/artwork/Draw.h"
#include "resources/artwork/Faces.h"
#include "resources/artwork/Painters.h"

namespace velunor::artwork {

namespace {

using scale::Point;

Point panelPivot(const scale::FaceGeometry& g, Point origin) { return scale::offsetBy(g.pivot, origin); }

void radialLine(cairo_t* cr, Point pivot, double degrees, double r0, double r1, double width, Colour c) {
    const double t = scale::degreesToRadians(degrees);
    const Point a = scale::pointOnRay(pivot, r0, t);
    const Point b = scale::pointOnRay(pivot, r1, t);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setColour(cr, c);
    cairo_stroke(cr);
}

// An arc between two scale angles (degrees, counter-clockwise) around the pivot.
void scaleArc(cairo_t* cr, Point pivot, double fromDegrees, double toDegrees, double r, double width, Colour c) {
    const double a0 = -scale::degreesToRadians(std::max(fromDegrees, toDegrees));
    const double a1 = -scale::degreesToRadians(std::min(fromDegrees, toDegrees));
    cairo_new_sub_path(cr);
    cairo_arc(cr, pivot.x + 0.5, pivot.y + 0.5, r, a0, a1);
    cairo_set_line_width(cr, width);
    setColour(cr, c);
    cairo_stroke(cr);
}

// A filled ring segment (a coloured zone of a scale).
void scaleBand(cairo_t* cr, Point pivot, double fromDegrees, double toDegrees, double r0, double r1, Colour c) {
    const double a0 = -scale::degreesToRadians(std::max(fromDegrees, toDegrees));
    const double a1 = -scale::degreesToRadians(std::min(fromDegrees, toDegrees));
    cairo_new_sub_path(cr);
    cairo_arc(cr, pivot.x + 0.5, pivot.y + 0.5, r1, a0, a1);
    cairo_arc_negative(cr, pivot.x + 0.5, pivot.y + 0.5, r0, a1, a0);
    cairo_close_path(cr);
    setColour(cr, c);
    cairo_fill(cr);
}

void labelAt(cairo_t* cr, Point pivot, double degrees, double r, const std::string& text, Colour c) {
    const Point p = scale::pointOnRay(pivot, r, scale::degreesToRadians(degrees));
    drawTextCentred(cr, text, p.x, p.y, c);
}

// A soft shadow just inside the edges of a face, as if the panel's cut-out overhangs it.
void innerShadow(cairo_t* cr, double x, double y, double w, double h) {
    for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, x + i + 0.5, y + i + 0.5, w - 2 * i - 1, h - 2 * i - 1);
        setColour(cr, rgb(0, 0, 0, 70 - 16 * i));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

void ledBezel(cairo_t* cr, const scale::Rect& led, Point origin, Colour ring) {
    const double cx = origin.x + (led.left + led.right) / 2.0;
    const double cy = origin.y + (led.top + led.bottom) / 2.0;
    cairo_arc(cr, cx, cy + 0.5, 11.5, 0.0, 2.0 * kPi);
    setColour(cr, rgb(255, 255, 255, 60));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 11.0, 0.0, 2.0 * kPi);
    setColour(cr, ring);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 9.5, 0.0, 2.0 * kPi);
    setColour(cr, rgb(20, 8, 6));
    cairo_fill(cr);
}

constexpr Colour kVuTints[scale::kVuTintCount] = {
    rgb(250, 206, 128), rgb(248, 221, 166), rgb(243, 233, 203), rgb(229, 235, 229), rgb(211, 226, 241)};

const Colour kInk = rgb(34, 30, 26);
const Colour kRed = rgb(196, 34, 24);

}  // namespace

void drawVuFace(cairo_t* cr, Point origin, int tint) {
    const scale::FaceGeometry& g = scale::kVuFace;
    const Colour paper = kVuTints[tint];
    const double x0 = origin.x, y0 = origin.y;
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, g.width, g.height);
    cairo_clip(cr);

    // Backlit paper: brightest behind the scale, falling off to the corners.
    cairo_pattern_t* light = cairo_pattern_create_radial(x0 + 128, y0 + 70, 10, x0 + 128, y0 + 70, 170);
    const Colour hot = mix(paper, rgb(255, 255, 250), 0.35);
    const Colour edge = mix(paper, rgb(90, 70, 40), 0.22);
    cairo_pattern_add_color_stop_rgb(light, 0.0, hot.r, hot.g, hot.b);
    cairo_pattern_add_color_stop_rgb(light, 0.55, paper.r, paper.g, paper.b);
    cairo_pattern_add_color_stop_rgb(light, 1.0, edge.r, edge.g, edge.b);
    cairo_rectangle(cr, x0, y0, g.width, g.faceHeight);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);

    const Point pivot = panelPivot(g, origin);
    const auto vu = [](double db) { return scale::vuAngleDegrees(scale::levelFromDecibels(db)); };

    // dB scale: black to 0 VU, red above, with the red band along the arc.
    constexpr double arcR = 116.0;
    scaleBand(cr, pivot, vu(0.0), vu(3.0), arcR, arcR + 5.0, kRed);
    scaleArc(cr, pivot, vu(-20.0), vu(0.0), arcR, 1.2, kInk);
    scaleArc(cr, pivot, vu(0.0), vu(3.0), arcR, 1.2, kRed);
    struct Mark {
        double db;
        const char* label;
    };
    constexpr Mark majors[] = {{-20, "20"}, {-10, "10"}, {-7, "7"}, {-5, "5"}, {-3, "3"}, {-2, "2"},
                               {-1, "1"},   {0, "0"},    {1, "1"},  {2, "2"},  {3, "3"}};
    selectFont(cr, Font::SansBold, 10.5);
    for (const Mark& m : majors) {
        const Colour c = m.db > 0 ? kRed : kInk;
        radialLine(cr, pivot, vu(m.db), arcR, arcR + 9.0, m.db == 0 ? 1.8 : 1.3, c);
        labelAt(cr, pivot, vu(m.db), arcR + 16.5, m.label, c);
    }
    for (double db : {-15.0, -6.0, -4.0, -0.5, 0.5, 1.5, 2.5}) {
        const Colour c = db > 0 ? kRed : kInk;
        radialLine(cr, pivot, vu(db), arcR, arcR + 5.0, 1.0, c);
    }
    // The signs at the two ends, as on the classic dial.
    selectFont(cr, Font::SansBold, 12);
    labelAt(cr, pivot, vu(-20.0) + 4.2, arcR + 13.0, "\xE2\x88\x92", kInk);  // minus sign
    labelAt(cr, pivot, vu(3.0) - 4.2, arcR + 13.0, "+", kRed);

    // Percentage of the 0 VU voltage, inside the dB arc.
    constexpr double pctR = 107.0;
    scaleArc(cr, pivot, scale::vuAngleDegrees(0.0), scale::vuAngleDegrees(1.0), pctR, 0.9, kInk);
    selectFont(cr, Font::Sans, 8);
    for (int p = 0; p <= 100; p += 10) {
        const double a = scale::vuAngleDegrees(p / 100.0);
        const bool major = p % 20 == 0;
        radialLine(cr, pivot, a, pctR - (major ? 5.0 : 3.0), pctR, major ? 1.1 : 0.8, kInk);
        if (major) labelAt(cr, pivot, a, pctR - 11.0, std::to_string(p), kInk);
    }
    labelAt(cr, pivot, scale::vuAngleDegrees(1.0) - 7.0, pctR - 11.0, "%", kInk);

    // Legend, maker and the over lamp.
    selectFont(cr, Font::SansBold, 22);
    drawTextCentred(cr, "VU", x0 + 128.5, y0 + 92, kInk);
    selectFont(cr, Font::Sans, 6.5);
    drawTextCentred(cr, "QVX Velunor", x0 + 38, y0 + 108, withAlpha(kInk, 0.75));
    drawTextCentred(cr, "PEAK", x0 + 191, y0 + 84.5, kRed);
    ledBezel(cr, g.led, origin, rgb(60, 52, 44));

    innerShadow(cr, x0, y0, g.width, g.faceHeight + 1);

    // Bezel strip: the black lip of the window the needles disappear under.
    fillVertical(cr, x0, y0 + g.strip.top, g.width, g.strip.height(), rgb(40, 38, 36), rgb(14, 13, 12));
    cairo_move_to(cr, x0, y0 + g.strip.top + 0.5);
    cairo_line_to(cr, x0 + g.width, y0 + g.strip.top + 0.5);
    setColour(cr, rgb(120, 112, 100, 200));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawPpmFace(cairo_t* cr, Point origin) {
    const scale::FaceGeometry& g = scale::kPpmFace;
    const double x0 = origin.x, y0 = origin.y;
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, g.width, g.height);
    cairo_clip(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(x0 + 126, y0 + 60, 10, x0 + 126, y0 + 60, 160);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.11, 0.11, 0.115);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.035, 0.035, 0.04);
    cairo_rectangle(cr, x0, y0, g.width, g.height);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);

    const Point pivot = panelPivot(g, origin);
    const Colour white = rgb(242, 242, 238);
    selectFont(cr, Font::SansBold, 13);
    for (int mark = 1; mark <= 7; ++mark) {
        const double a = scale::ppmAngleDegrees(scale::ppmMarkLevel(mark));
        radialLine(cr, pivot, a, 84.0, 100.0, mark == 4 ? 3.0 : 2.4, white);
        labelAt(cr, pivot, a, 110.5, std::to_string(mark), white);
    }
    // The reference: a small wedge under mark 4.
    {
        const double t = scale::degreesToRadians(scale::ppmAngleDegrees(1.0));
        const Point tip = scale::pointOnRay(pivot, 81.0, t);
        cairo_move_to(cr, tip.x, tip.y);
        cairo_line_to(cr, tip.x - 3.5, tip.y + 5.5);
        cairo_line_to(cr, tip.x + 3.5, tip.y + 5.5);
        cairo_close_path(cr);
        setColour(cr, white);
        cairo_fill(cr);
    }
    selectFont(cr, Font::SansBold, 11);
    drawTextCentred(cr, "PPM", x0 + 126.5, y0 + 98, rgb(200, 200, 196));
    selectFont(cr, Font::Sans, 6.5);
    drawTextCentred(cr, "QVX Velunor", x0 + 34, y0 + 108, rgb(130, 130, 126));
    drawTextCentred(cr, "OVER", x0 + 220, y0 + 41, rgb(220, 60, 50));
    ledBezel(cr, g.led, origin, rgb(58, 58, 60));
    innerShadow(cr, x0, y0, g.width, g.height);
    cairo_restore(cr);
}

void drawRmsFace(cairo_t* cr, Point origin) {
    const scale::FaceGeometry& g = scale::kRmsFace;
    const double x0 = origin.x, y0 = origin.y;
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, g.width, g.height);
    cairo_clip(cr);
    // Cream, a shade darker than the peak needle's body so that the body stays faintly visible.
    cairo_pattern_t* p = cairo_pattern_create_radial(x0 + 126, y0 + 70, 10, x0 + 126, y0 + 70, 170);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 247 / 255.0, 240 / 255.0, 216 / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 0.6, 236 / 255.0, 226 / 255.0, 194 / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 206 / 255.0, 194 / 255.0, 160 / 255.0);
    cairo_rectangle(cr, x0, y0, g.width, g.height);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);

    const Point pivot = panelPivot(g, origin);
    const auto at = [](double db) { return scale::rmsAngleDegrees(scale::levelFromDecibels(db)); };
    constexpr double arcR = 101.0;
    // Linear part, the red zone above 0 dB and the compressed part below -40 dB.
    scaleBand(cr, pivot, at(0.0), at(6.0), arcR, arcR + 4.0, kRed);
    scaleArc(cr, pivot, at(-40.0), at(0.0), arcR, 1.2, kInk);
    scaleArc(cr, pivot, at(0.0), at(6.0), arcR, 1.2, kRed);
    scaleBand(cr, pivot, at(-40.0), scale::kRmsMaxDegrees, arcR - 1.0, arcR + 1.0, withAlpha(kInk, 0.45));
    for (int db = -10; db <= 6; ++db) radialLine(cr, pivot, at(db), arcR, arcR + 5.0, 0.9, db > 0 ? kRed : kInk);
    for (int db = -40; db < -10; db += 5) radialLine(cr, pivot, at(db), arcR, arcR + 5.0, 0.9, kInk);
    for (int db : {-45, -50, -55}) radialLine(cr, pivot, at(db), arcR, arcR + 4.0, 0.8, kInk);
    struct Mark {
        int db;
        const char* label;
    };
    constexpr Mark labelled[] = {{6, "+6"},   {3, "+3"},   {0, "0"},   {-3, "\xE2\x88\x92" "3"},
                                 {-6, "\xE2\x88\x92" "6"},   {-10, "\xE2\x88\x92" "10"}, {-15, "\xE2\x88\x92" "15"},
                                 {-20, "\xE2\x88\x92" "20"}, {-25, ""}, {-30, "\xE2\x88\x92" "30"}, {-35, ""},
                                 {-40, "\xE2\x88\x92" "40"}, {-60, "\xE2\x88\x92" "60"}};
    selectFont(cr, Font::NarrowBold, 9.5);
    for (const Mark& m : labelled) {
        const Colour c = m.db > 0 ? kRed : kInk;
        radialLine(cr, pivot, at(m.db), arcR, arcR + 9.0, m.db == 0 ? 1.8 : 1.3, c);
        if (*m.label) labelAt(cr, pivot, at(m.db), arcR + 16.0, m.label, c);
    }
    selectFont(cr, Font::SansBold, 12);
    drawTextCentred(cr, "dB", x0 + 126.5, y0 + 84, kInk);
    // Which needle is which: the RMS needle in its own colour, the peak needle's red tip.
    selectFont(cr, Font::SansBold, 7);
    drawTextCentred(cr, "RMS", x0 + 104, y0 + 101, rgb(120, 98, 88));
    drawTextCentred(cr, "PEAK", x0 + 149, y0 + 101, rgb(160, 0, 0));
    selectFont(cr, Font::Sans, 6.5);
    drawTextCentred(cr, "QVX Velunor", x0 + 34, y0 + 108, withAlpha(kInk, 0.7));
    drawTextCentred(cr, "OVER", x0 + 220, y0 + 41, kRed);
    ledBezel(cr, g.led, origin, rgb(70, 62, 50));
    innerShadow(cr, x0, y0, g.width, g.height);
    cairo_restore(cr);
}

void paintVuFace(cairo_t* cr, const ResourceEntry& e) {
    for (int tint = 0; tint < e.frames; ++tint) drawVuFace(cr, {0.0, double(tint * e.frameHeight())}, tint);
}

void paintOverLed(cairo_t* cr, const ResourceEntry& e) {
    // dark, dim red, bright red
    constexpr double brightness[] = {0.0, 0.45, 1.0};
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f) {
        const double cx = e.width / 2.0, cy = f * fh + fh / 2.0;
        const double r = 7.0;
        const Colour red = rgb(255, 40, 24);
        const Colour off = rgb(70, 14, 10);
        const Colour body = mix(off, red, brightness[f]);
        if (brightness[f] > 0.5) {
            cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, r * 0.8, cx, cy, fh / 2.0);
            cairo_pattern_add_color_stop_rgba(glow, 0.0, 1.0, 0.2, 0.1, 0.55);
            cairo_pattern_add_color_stop_rgba(glow, 1.0, 1.0, 0.2, 0.1, 0.0);
            cairo_arc(cr, cx, cy, fh / 2.0, 0.0, 2.0 * kPi);
            cairo_set_source(cr, glow);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
        }
        cairo_pattern_t* dome = cairo_pattern_create_radial(cx - 2.2, cy - 2.4, 0.5, cx, cy, r);
        const Colour hot = mix(body, rgb(255, 240, 220), 0.2 + 0.5 * brightness[f]);
        cairo_pattern_add_color_stop_rgb(dome, 0.0, hot.r, hot.g, hot.b);
        cairo_pattern_add_color_stop_rgb(dome, 1.0, body.r * 0.7, body.g * 0.7, body.b * 0.7);
        cairo_arc(cr, cx, cy, r, 0.0, 2.0 * kPi);
        cairo_set_source(cr, dome);
        cairo_fill(cr);
        cairo_pattern_destroy(dome);
        // Specular highlight of the lens.
        cairo_arc(cr, cx - 2.2, cy - 2.6, 1.6, 0.0, 2.0 * kPi);
        setColour(cr, rgb(255, 255, 255, 150));
        cairo_fill(cr);
    }
}

}  // namespace velunor::artwork
