// The strips under the meter: the open filters strip, the open label strip and the closed bar in
// each finish, and their controls.
#include <cmath>
#include <string>

#include "resources/artwork/Draw.h"
#include "resources/artwork/Painters.h"
#include "resources/artwork/Parts.h"

namespace velunor::artwork {

namespace {

const Colour kNeutralPrint = rgb(214, 206, 192);

// The frequency sliders: the handle (18 px) travels 144 px, its centre from left + 9.
double sliderX(double left, double fraction) { return left + 9.0 + 144.0 * fraction; }

void topEdge(cairo_t* cr, double w) {
    // The strip hangs under the panel above: a shadow along its top edge.
    fillVertical(cr, 0, 0, w, 3, rgb(0, 0, 0, 120), rgb(0, 0, 0, 0));
}

void frequencyScale(cairo_t* cr, const Skin& s, double sliderLeft, double lowestHz,
                    std::initializer_list<std::pair<double, const char*>> marks) {
    const double x0 = sliderX(sliderLeft, 0.0), x1 = sliderX(sliderLeft, 1.0);
    drawWell(cr, x0 - 3, 27, x1 - x0 + 6, 4, 2, rgb(4, 4, 4));
    selectFont(cr, Font::Narrow, 7.5);
    for (const auto& [hz, label] : marks) {
        const double x = std::round(sliderX(sliderLeft, std::log(hz / lowestHz) / std::log(100.0))) + 0.5;
        cairo_move_to(cr, x, 42);
        cairo_line_to(cr, x, *label ? 46 : 44.5);
        setColour(cr, s.print);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        if (*label) drawTextCentred(cr, label, x, 49.5, s.print);
    }
}

void slopeLabels(cairo_t* cr, const Skin& s, double left, const char* a, const char* b) {
    selectFont(cr, Font::SansBold, 7.5);
    drawPrint(cr, a, left + 12, 43, s.print);
    drawPrint(cr, b, left + 36, 43, s.print);
    selectFont(cr, Font::Sans, 6.5);
    drawPrint(cr, "dB/oct", left + 24, 50, mix(s.print, s.panelBottom, 0.3));
}

void filtersStrip(cairo_t* cr, const ResourceEntry& e, Meter m) {
    const Skin& s = skinFor(m);
    drawPanel(cr, 0, 0, e.width, e.height, s);
    topEdge(cr, e.width);
    drawCaption(cr, "HPF", 34, 48, s);
    drawCaption(cr, "LPF", 299, 48, s);
    frequencyScale(cr, s, 58, 20.0,
                   {{20, "20"}, {30, ""}, {50, "50"}, {100, "100"}, {200, "200"}, {300, ""}, {500, "500"},
                    {1000, "1k"}, {2000, "2k"}});
    frequencyScale(cr, s, 323, 300.0,
                   {{300, "300"}, {500, ""}, {1000, "1k"}, {2000, ""}, {3000, "3k"}, {5000, ""}, {10000, "10k"},
                    {20000, ""}, {30000, "30k"}});
    slopeLabels(cr, s, 223, "12", "24");
    slopeLabels(cr, s, 489, "6", "18");
    selectFont(cr, Font::SansBold, 7.5);
    drawPrint(cr, "FILTERS IN", 556, 44, s.print);
    cairo_move_to(cr, 268.5, 6);
    cairo_line_to(cr, 268.5, 50);
    setColour(cr, rgb(0, 0, 0, 90));
    cairo_stroke(cr);
    cairo_move_to(cr, 269.5, 6);
    cairo_line_to(cr, 269.5, 50);
    setColour(cr, rgb(255, 255, 255, 20));
    cairo_stroke(cr);
}

void labelStrip(cairo_t* cr, const ResourceEntry& e, Meter m) {
    const Skin& s = skinFor(m);
    drawPanel(cr, 0, 0, e.width, e.height, s);
    topEdge(cr, e.width);
    // A strip of paper tape across the track label's place, with torn ends.
    const double l = 19, r = 521, t = 4, b = 33;
    const auto tapePath = [&](double dx, double dy) {
        cairo_move_to(cr, l + dx, t + dy);
        cairo_line_to(cr, r + dx, t + dy);
        for (int i = 0; i <= 8; ++i) cairo_line_to(cr, r + dx + ((i % 2) ? 2.0 : -0.5), t + dy + (b - t) * i / 8.0);
        cairo_line_to(cr, l + dx, b + dy);
        for (int i = 8; i >= 0; --i) cairo_line_to(cr, l + dx + ((i % 2) ? -2.0 : 0.5), t + dy + (b - t) * i / 8.0);
        cairo_close_path(cr);
    };
    tapePath(0.8, 1.5);
    setColour(cr, rgb(0, 0, 0, 110));
    cairo_fill(cr);
    tapePath(0.0, 0.0);
    cairo_pattern_t* paper = cairo_pattern_create_linear(0, t, 0, b);
    cairo_pattern_add_color_stop_rgb(paper, 0.0, 0.95, 0.93, 0.86);
    cairo_pattern_add_color_stop_rgb(paper, 1.0, 0.88, 0.85, 0.76);
    cairo_set_source(cr, paper);
    cairo_fill(cr);
    cairo_pattern_destroy(paper);
    // LAG TIME caption, printed upwards beside the control.
    cairo_save(cr);
    cairo_translate(cr, 533, 20);
    cairo_rotate(cr, -kPi / 2.0);
    selectFont(cr, Font::SansBold, 7.0);
    drawPrint(cr, "LAG ms", 0, 0, s.print);
    cairo_restore(cr);
}

void closedStrip(cairo_t* cr, const ResourceEntry& e, Meter m) {
    const Skin& s = skinFor(m);
    drawPanel(cr, 0, 0, e.width, e.height, s);
    topEdge(cr, e.width);
    // Grip ridges in the middle of the closed drawer.
    for (int i = -3; i <= 3; ++i) {
        const double x = 250.5 + i * 4;
        cairo_move_to(cr, x, 3.5);
        cairo_line_to(cr, x, 10.5);
        setColour(cr, rgb(0, 0, 0, 110));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_move_to(cr, x + 1, 3.5);
        cairo_line_to(cr, x + 1, 10.5);
        setColour(cr, rgb(255, 255, 255, 26));
        cairo_stroke(cr);
    }
}

// off, on-inactive (PROCESS off: the filters wait), on-active
void filtersInFrames(cairo_t* cr, const ResourceEntry& e, double fontPx) {
    const double fh = e.frameHeight();
    constexpr double lamp[3] = {0.0, 0.55, 1.0};
    const Colour colours[3] = {rgb(90, 240, 90), rgb(220, 170, 60), rgb(90, 240, 90)};
    for (int f = 0; f < e.frames; ++f) {
        const double y = f * fh;
        drawKey(cr, 0.5, y + 0.5, e.width - 1, fh - 1, 2.0, f ? rgb(74, 70, 64) : rgb(60, 57, 53), f != 0);
        if (fh >= 20) {
            drawLamp(cr, e.width / 2.0, y + 8, 2.8, colours[f], lamp[f]);
            selectFont(cr, Font::SansBold, fontPx);
            drawTextCentred(cr, "IN", e.width / 2.0, y + fh - 9, f ? kNeutralPrint : mix(kNeutralPrint, rgb(0, 0, 0), 0.4));
        } else {
            drawLamp(cr, 5.5, y + fh / 2.0, 2.0, colours[f], lamp[f]);
            selectFont(cr, Font::SansBold, fontPx);
            drawTextCentred(cr, "IN", 14.5, y + fh / 2.0, f ? kNeutralPrint : mix(kNeutralPrint, rgb(0, 0, 0), 0.4));
        }
    }
}

void captionPicture(cairo_t* cr, const ResourceEntry& e, const char* text) {
    selectFont(cr, Font::SansBold, 7.5);
    drawTextCentred(cr, text, e.width / 2.0, e.height / 2.0, kNeutralPrint);
}

}  // namespace

void paintVuFiltersStrip(cairo_t* cr, const ResourceEntry& e) { filtersStrip(cr, e, Meter::Vu); }
void paintRmsFiltersStrip(cairo_t* cr, const ResourceEntry& e) { filtersStrip(cr, e, Meter::Rms); }
void paintPpmFiltersStrip(cairo_t* cr, const ResourceEntry& e) { filtersStrip(cr, e, Meter::Ppm); }
void paintVuLabelStrip(cairo_t* cr, const ResourceEntry& e) { labelStrip(cr, e, Meter::Vu); }
void paintRmsLabelStrip(cairo_t* cr, const ResourceEntry& e) { labelStrip(cr, e, Meter::Rms); }
void paintPpmLabelStrip(cairo_t* cr, const ResourceEntry& e) { labelStrip(cr, e, Meter::Ppm); }
void paintVuClosedStrip(cairo_t* cr, const ResourceEntry& e) { closedStrip(cr, e, Meter::Vu); }
void paintRmsClosedStrip(cairo_t* cr, const ResourceEntry& e) { closedStrip(cr, e, Meter::Rms); }
void paintPpmClosedStrip(cairo_t* cr, const ResourceEntry& e) { closedStrip(cr, e, Meter::Ppm); }

void paintSlopeSwitch(cairo_t* cr, const ResourceEntry& e) {
    // A slide switch: the slot and the lever on the left (frame 0) or the right (frame 1).
    const double fh = e.frameHeight(), w = e.width;
    for (int f = 0; f < e.frames; ++f) {
        const double y = f * fh;
        drawWell(cr, 4, y + 8, w - 8, 14, 3, rgb(8, 8, 8));
        const double lx = f == 0 ? 6.0 : w / 2.0;
        drawKey(cr, lx, y + 6, w / 2.0 - 6.0, 18, 2.5, rgb(150, 146, 140), false);
        for (int i = -1; i <= 1; ++i) {
            const double gx = lx + (w / 2.0 - 6.0) / 2.0 + i * 3.0 + 0.5;
            cairo_move_to(cr, gx, y + 10);
            cairo_line_to(cr, gx, y + 20);
            setColour(cr, rgb(0, 0, 0, 100));
            cairo_set_line_width(cr, 1.0);
            cairo_stroke(cr);
        }
    }
}

void paintFiltersIn(cairo_t* cr, const ResourceEntry& e) { filtersInFrames(cr, e, 8.0); }
void paintFiltersInClosed(cairo_t* cr, const ResourceEntry& e) { filtersInFrames(cr, e, 6.5); }

void paintFilterInOut(cairo_t* cr, const ResourceEntry& e) {
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f)
        drawLampKey(cr, 0.5, f * fh + 2.5, e.width - 1, fh - 5, "IN", rgb(90, 240, 90), f, skinFor(Meter::Vu));
}

void paintFrequencyHandle(cairo_t* cr, const ResourceEntry& e) {
    // The top rows stay clear: the frequency text above is drawn over them.
    const double w = e.width, top = 8.0, bottom = e.height - 1.0;
    roundedRect(cr, 1.5, top + 1.5, w - 2.5, bottom - top, 2.5);
    setColour(cr, rgb(0, 0, 0, 120));
    cairo_fill(cr);
    roundedRect(cr, 1, top, w - 2, bottom - top, 2.5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.40, 0.40, 0.40);
    cairo_pattern_add_color_stop_rgb(p, 0.45, 0.20, 0.20, 0.20);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.14, 0.14, 0.14);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.26, 0.26, 0.26);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, w / 2.0, top + 2);
    cairo_line_to(cr, w / 2.0, bottom - 2);
    setColour(cr, rgb(245, 245, 240));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void paintLagTime(cairo_t* cr, const ResourceEntry& e) {
    // Three layers 40 px apart, each drawn into the control's top 40 pixels: 0 the window with its
    // arrows, 1 and 2 drawn over the digits (glass and bezel).
    const double w = e.width;
    // Layer 0: arrow keys above and below a lit display (digits at y 16..28, x 4..22).
    drawKey(cr, 5, 1, w - 10, 12, 2, rgb(74, 70, 64), false);
    drawArrow(cr, w / 2.0, 7, 6, -1, kNeutralPrint);
    drawKey(cr, 5, 30, w - 10, 8, 2, rgb(74, 70, 64), false);
    drawArrow(cr, w / 2.0, 34, 5, 1, kNeutralPrint);
    drawWell(cr, 2, 15, w - 4, 14, 1.5, rgb(206, 196, 120));
    // Layer 1: the glass with a soft reflection.
    fillVertical(cr, 2, 40 + 15, w - 4, 6, rgb(255, 255, 255, 70), rgb(255, 255, 255, 0));
    // Layer 2: the bezel around the display.
    roundedRect(cr, 1.5, 80 + 14.5, w - 3, 15, 2);
    setColour(cr, rgb(20, 20, 20, 230));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void paintPen(cairo_t* cr, const ResourceEntry&) {
    // A felt pen lying diagonally, its tip at the lower left where it writes.
    cairo_save(cr);
    cairo_translate(cr, 4, 29);
    cairo_rotate(cr, -0.58);
    // Shadow.
    roundedRect(cr, 6, 2, 42, 8, 3);
    setColour(cr, rgb(0, 0, 0, 70));
    cairo_fill(cr);
    // Tip and cone.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 8, -3);
    cairo_line_to(cr, 8, 3);
    cairo_close_path(cr);
    setColour(cr, rgb(4, 45, 85));
    cairo_fill(cr);
    // Barrel.
    roundedRect(cr, 8, -4, 34, 8, 2.5);
    cairo_pattern_t* barrel = cairo_pattern_create_linear(0, -4, 0, 4);
    cairo_pattern_add_color_stop_rgb(barrel, 0.0, 0.55, 0.62, 0.72);
    cairo_pattern_add_color_stop_rgb(barrel, 0.4, 0.20, 0.30, 0.45);
    cairo_pattern_add_color_stop_rgb(barrel, 1.0, 0.08, 0.14, 0.24);
    cairo_set_source(cr, barrel);
    cairo_fill(cr);
    cairo_pattern_destroy(barrel);
    // Grip ring and clip.
    cairo_rectangle(cr, 13, -4, 3, 8);
    setColour(cr, rgb(220, 220, 215));
    cairo_fill(cr);
    cairo_rectangle(cr, 26, -5.5, 13, 2);
    setColour(cr, rgb(200, 200, 196));
    cairo_fill(cr);
    cairo_restore(cr);
}

void paintLabelCaption(cairo_t* cr, const ResourceEntry& e) { captionPicture(cr, e, "LABEL"); }
void paintFiltersCaption(cairo_t* cr, const ResourceEntry& e) { captionPicture(cr, e, "FILTERS"); }

}  // namespace velunor::artwork
