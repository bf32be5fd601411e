// The switches of the back panels. Their captions are engraved on the panels; the pictures leave
// the caption rows transparent so the engraving shows through.
#include "resources/artwork/Draw.h"
#include "resources/artwork/Painters.h"
#include "resources/artwork/Parts.h"

namespace velunor::artwork {

namespace {

// A horizontal switch of three zones (M0, M3, M6) under a transparent caption row, with a lamp
// over the selected zone when the picture is tall enough for one.
void midAtten(cairo_t* cr, const ResourceEntry& e, Meter m) {
    const Skin& s = skinFor(m);
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f) {
        const double y = f * fh;
        if (fh >= 60.0) {
            for (int i = 0; i < 3; ++i)
                drawLamp(cr, 2 + (e.width - 4) * (i + 0.5) / 3.0, y + 21, 2.5, s.accent, i == f ? 1.0 : 0.0);
            drawSegmentedSwitch(cr, 0, y + 28, e.width, 26, {"M0", "M3", "M6"}, f, s, 9.0);
        } else {
            drawSegmentedSwitch(cr, 0, y + 14, e.width, fh - 16, {"M0", "M3", "M6"}, f, s, 8.0);
        }
    }
}

// A two-state button shown as two stacked segments: frame 0 lights the lower one, frame 1 the
// upper one.
void stackedPair(cairo_t* cr, const ResourceEntry& e, Meter m, const char* on, const char* off, double left,
                 double top, double fontPx) {
    const Skin& s = skinFor(m);
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f)
        drawStackedSwitch(cr, left, f * fh + top, e.width - left - 2, fh - top - 3, {on, off}, f == 1 ? 0 : 1, s,
                          fontPx);
}

}  // namespace

void paintVuType(cairo_t* cr, const ResourceEntry& e) {
    const Skin& s = skinFor(Meter::Vu);
    for (int f = 0; f < e.frames; ++f)
        drawSegmentedSwitch(cr, 4, f * e.frameHeight() + 14, e.width - 8, e.frameHeight() - 16, {"A", "B"}, f, s, 10.0);
}

void paintVuMidAtten(cairo_t* cr, const ResourceEntry& e) { midAtten(cr, e, Meter::Vu); }
void paintRmsMidAtten(cairo_t* cr, const ResourceEntry& e) { midAtten(cr, e, Meter::Rms); }
void paintPpmMidAtten(cairo_t* cr, const ResourceEntry& e) { midAtten(cr, e, Meter::Ppm); }

void paintVuMeasure(cairo_t* cr, const ResourceEntry& e) { stackedPair(cr, e, Meter::Vu, "PRECISE", "CPU SAFE", 4, 14, 7.5); }
void paintRmsMeasure(cairo_t* cr, const ResourceEntry& e) { stackedPair(cr, e, Meter::Rms, "PRECISE", "CPU SAFE", 4, 14, 7.5); }
void paintPpmMeasure(cairo_t* cr, const ResourceEntry& e) { stackedPair(cr, e, Meter::Ppm, "PRECISE", "CPU SAFE", 4, 14, 7.5); }

// dBref (frame 0) / dBFS (frame 1); the left of the picture lies over the LED REF knob's scale
// and stays transparent.
void paintRmsLedRefScale(cairo_t* cr, const ResourceEntry& e) {
    stackedPair(cr, e, Meter::Rms, "dBFS", "dBref", 14, 14, 8.0);
}

}  // namespace velunor::artwork
