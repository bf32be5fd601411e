#include "resources/artwork/Parts.h"

#include <vector>

namespace velunor::artwork {

namespace {

void housing(cairo_t* cr, double x, double y, double w, double h) {
    roundedRect(cr, x + 0.5, y + 0.5, w - 1.0, h - 1.0, 3.0);
    setColour(cr, rgb(8, 8, 8, 235));
    cairo_fill_preserve(cr);
    setColour(cr, rgb(255, 255, 255, 28));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void segment(cairo_t* cr, double x, double y, double w, double h, const std::string& label, bool lit,
             const Skin& skin, double fontPx) {
    const Colour faceOff = mix(skin.key, rgb(0, 0, 0), 0.35);
    const Colour faceOn = mix(skin.key, skin.accent, 0.18);
    drawKey(cr, x, y, w, h, 2.0, lit ? faceOn : faceOff, lit);
    // The lit segment's window glows in the accent colour.
    if (lit) {
        cairo_pattern_t* g = cairo_pattern_create_radial(x + w / 2, y + h / 2, 1.0, x + w / 2, y + h / 2, std::max(w, h) * 0.6);
        cairo_pattern_add_color_stop_rgba(g, 0.0, skin.accent.r, skin.accent.g, skin.accent.b, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 1.0, skin.accent.r, skin.accent.g, skin.accent.b, 0.0);
        roundedRect(cr, x + 1, y + 1, w - 2, h - 2, 1.5);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // The infinity sign is small in every face: it gets the height of the capitals beside it.
    selectFont(cr, Font::SansBold, label == "\xE2\x88\x9E" ? fontPx * 1.7 : fontPx);
    const Colour text = lit ? mix(skin.accent, rgb(255, 255, 255), 0.45) : mix(skin.print, rgb(0, 0, 0), 0.45);
    drawTextCentred(cr, label, x + w / 2.0, y + h / 2.0 + (lit ? 0.5 : 0.0), text);
}

}  // namespace

void drawSegmentedSwitch(cairo_t* cr, double x, double y, double w, double h, std::initializer_list<std::string> labels,
                         int selected, const Skin& skin, double fontPx) {
    housing(cr, x, y, w, h);
    const std::vector<std::string> items(labels);
    const double inner = w - 4.0;
    const double sw = inner / double(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        segment(cr, x + 2.0 + i * sw + 0.5, y + 2.0, sw - 1.0, h - 4.0, items[i], int(i) == selected, skin, fontPx);
}

void drawStackedSwitch(cairo_t* cr, double x, double y, double w, double h, std::initializer_list<std::string> labels,
                       int selected, const Skin& skin, double fontPx) {
    housing(cr, x, y, w, h);
    const std::vector<std::string> items(labels);
    const double inner = h - 4.0;
    const double sh = inner / double(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        segment(cr, x + 2.0, y + 2.0 + i * sh + 0.5, w - 4.0, sh - 1.0, items[i], int(i) == selected, skin, fontPx);
}

void drawLampKey(cairo_t* cr, double x, double y, double w, double h, const std::string& caption, Colour lamp,
                 double brightness, const Skin& skin) {
    drawKey(cr, x, y, w, h, 2.0, mix(skin.key, rgb(0, 0, 0), 0.2), brightness > 0.5);
    drawLamp(cr, x + 5.5, y + h / 2.0, 2.2, lamp, brightness);
    selectFont(cr, Font::NarrowBold, 7.5);
    const Colour text = brightness > 0.5 ? mix(skin.print, rgb(255, 255, 255), 0.5) : mix(skin.print, rgb(0, 0, 0), 0.25);
    drawTextCentred(cr, caption, x + 10.0 + (w - 10.0) / 2.0, y + h / 2.0, text);
}

void drawPanel(cairo_t* cr, double x, double y, double w, double h, const Skin& skin) {
    fillVertical(cr, x, y, w, h, skin.panelTop, skin.panelBottom);
    // Brushed grain: fine horizontal lines of slightly varying brightness, from a fixed sequence.
    unsigned state = 0x2545F491u;
    cairo_set_line_width(cr, 1.0);
    for (double yy = y + 0.5; yy < y + h; yy += 1.0) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double a = double(state % 1000) / 1000.0 * 0.035;
        cairo_move_to(cr, x, yy);
        cairo_line_to(cr, x + w, yy);
        cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, a);
        cairo_stroke(cr);
    }
}

void drawCaption(cairo_t* cr, const std::string& text, double cx, double cy, const Skin& skin, double fontPx) {
    selectFont(cr, Font::SansBold, fontPx);
    drawPrint(cr, text, cx, cy, skin.print);
}

}  // namespace velunor::artwork
