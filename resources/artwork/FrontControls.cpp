// The controls of the front panels: buttons of the top bar, the calibration pictures, the
// reference line, the meter selector, the L R / M S and hold switches and the face captions.
#include <string>

#include "resources/artwork/Draw.h"
#include "resources/artwork/Painters.h"
#include "resources/artwork/Parts.h"

namespace velunor::artwork {

namespace {

// The controls the three front panels share wear the warm greys of the VU finish, which sit well
// on all three.
const Skin& neutral() { return skinFor(Meter::Vu); }

const char* const kModeNames[3] = {"GLOBAL", "SESSION", "INSTANCE"};
const char* const kModeSentences[3] = {
    "shared by every instance and kept as the default for new ones",
    "shared by every instance until the host quits",
    "this instance keeps a calibration of its own",
};

// The G S I letters (click cells 12 px wide from x 2) and the mode name: the first 86 pixels of
// both calibration pictures.
void drawModeSelector(cairo_t* cr, double y, int mode) {
    const Skin& s = neutral();
    const char* letters[3] = {"G", "S", "I"};
    for (int i = 0; i < 3; ++i) {
        const double x = 2.0 + 12.0 * i;
        const bool lit = i == mode;
        drawKey(cr, x, y, 11.0, 11.0, 1.5, lit ? rgb(210, 150, 60) : rgb(58, 54, 50), lit);
        selectFont(cr, Font::SansBold, 8);
        drawTextCentred(cr, letters[i], x + 5.5, y + 5.5, lit ? rgb(30, 20, 10) : rgb(170, 162, 150));
    }
    selectFont(cr, Font::SansBold, 8);
    drawText(cr, kModeNames[mode], 40.0, y + 8.5, Align::Left, s.print);
}

}  // namespace

void paintManualButton(cairo_t* cr, const ResourceEntry& e) {
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f) {
        const double y = f * fh;
        const bool pressed = f == 2;
        const Colour face = f == 1 ? rgb(110, 104, 96) : rgb(80, 76, 70);
        drawKey(cr, 1, y + 1, e.width - 2, fh - 2, 2.5, face, pressed);
        // An open book.
        const double cx = e.width / 2.0, cy = y + fh / 2.0 + (pressed ? 0.5 : 0.0);
        cairo_move_to(cr, cx, cy - 3.0);
        cairo_curve_to(cr, cx - 2.5, cy - 4.5, cx - 5.0, cy - 4.0, cx - 6.5, cy - 3.0);
        cairo_line_to(cr, cx - 6.5, cy + 3.5);
        cairo_curve_to(cr, cx - 5.0, cy + 2.5, cx - 2.5, cy + 2.5, cx, cy + 4.0);
        cairo_curve_to(cr, cx + 2.5, cy + 2.5, cx + 5.0, cy + 2.5, cx + 6.5, cy + 3.5);
        cairo_line_to(cr, cx + 6.5, cy - 3.0);
        cairo_curve_to(cr, cx + 5.0, cy - 4.0, cx + 2.5, cy - 4.5, cx, cy - 3.0);
        cairo_close_path(cr);
        setColour(cr, f == 1 ? rgb(250, 240, 220) : rgb(214, 206, 192));
        cairo_fill(cr);
        cairo_move_to(cr, cx, cy - 3.0);
        cairo_line_to(cr, cx, cy + 4.0);
        setColour(cr, rgb(60, 56, 50));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
}

void paintTrimHandle(cairo_t* cr, const ResourceEntry& e) {
    const double w = e.width, h = e.height;
    // Drop shadow, then a dark fader cap with grip ridges and a white index line in the middle.
    roundedRect(cr, 1.5, 2.0, w - 3.0, h - 2.5, 2.5);
    setColour(cr, rgb(0, 0, 0, 120));
    cairo_fill(cr);
    roundedRect(cr, 1.0, 0.5, w - 2.0, h - 2.0, 2.5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.42, 0.41, 0.40);
    cairo_pattern_add_color_stop_rgb(p, 0.45, 0.20, 0.20, 0.20);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.14, 0.14, 0.14);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.26, 0.26, 0.26);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 1.0);
    for (double y : {3.5, 5.5, 12.5, 14.5}) {
        cairo_move_to(cr, 4, y);
        cairo_line_to(cr, w - 4, y);
        setColour(cr, rgb(0, 0, 0, 110));
        cairo_stroke(cr);
        cairo_move_to(cr, 4, y + 1);
        cairo_line_to(cr, w - 4, y + 1);
        setColour(cr, rgb(255, 255, 255, 30));
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 2, 9.0);
    cairo_line_to(cr, w - 2, 9.0);
    setColour(cr, rgb(245, 245, 240));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void paintProcessButton(cairo_t* cr, const ResourceEntry& e) {
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f)
        drawLampKey(cr, 0.5, f * fh + 0.5, e.width - 1.0, fh - 1.0, "PROCESS", rgb(90, 240, 90), f, neutral());
}

void paintStripsButton(cairo_t* cr, const ResourceEntry& e) {
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f) {
        const bool open = f == 1;
        drawKey(cr, 0.5, f * fh + 0.5, e.width - 1.0, fh - 1.0, 2.0, open ? rgb(120, 96, 60) : rgb(80, 76, 70), open);
        // Closed: a triangle pointing down (open me); open: pointing up (close me).
        drawArrow(cr, e.width / 2.0, f * fh + fh / 2.0, 6.0, open ? -1 : 1,
                  open ? rgb(255, 200, 110) : rgb(200, 192, 180));
    }
}

void paintCalibrationFront(cairo_t* cr, const ResourceEntry& e) {
    for (int mode = 0; mode < e.frames; ++mode) drawModeSelector(cr, mode * e.frameHeight(), mode);
}

void paintCalibrationBack(cairo_t* cr, const ResourceEntry& e) {
    for (int mode = 0; mode < e.frames; ++mode) {
        const double y = mode * e.frameHeight();
        drawModeSelector(cr, y, mode);
        selectFont(cr, Font::Sans, 8);
        drawText(cr, std::string("- ") + kModeSentences[mode], 96.0, y + 8.5, Align::Left, kValueTextColour);
    }
}

void paintCalibrationCaption(cairo_t* cr, const ResourceEntry& e) {
    for (int mode = 0; mode < e.frames; ++mode) {
        selectFont(cr, Font::Sans, 8);
        const std::string sentence = std::string(kModeNames[mode]) + " calibration: " + kModeSentences[mode];
        drawText(cr, sentence, e.width / 2.0, mode * e.frameHeight() + 8.5, Align::Centre, kValueTextColour);
    }
}

void paintReferenceLevel(cairo_t* cr, const ResourceEntry& e) {
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f) {
        const double y = f * fh;
        const bool lit = f == 1;
        selectFont(cr, Font::SansBold, 7.5);
        drawArrow(cr, 4.0, y + fh / 2.0, 5.0, -1, lit ? rgb(255, 200, 110) : rgb(170, 160, 146));
        drawArrow(cr, 10.0, y + fh / 2.0, 5.0, 1, lit ? rgb(255, 200, 110) : rgb(170, 160, 146));
        drawText(cr, "REF LEVEL", 16.0, y + 8.5, Align::Left, lit ? rgb(255, 220, 160) : neutral().print);
        // The window the level is written into (from x 81).
        drawWell(cr, 80.0, y + 0.5, 52.0, fh - 1.0, 2.0, rgb(12, 12, 12));
    }
}

void paintMeterSelector(cairo_t* cr, const ResourceEntry& e) {
    // Zones: left arrow up to 20 px, right arrow from width - 20, settings in between.
    const double fh = e.frameHeight(), w = e.width;
    for (int f = 0; f < e.frames; ++f) {
        const double y = f * fh;
        const Colour lit = rgb(255, 196, 96), dim = rgb(190, 182, 170);
        drawKey(cr, 0.5, y + 1.5, 19.0, fh - 3.0, 2.5, f == 1 ? rgb(120, 96, 60) : rgb(80, 76, 70), f == 1);
        drawArrow(cr, 10.0, y + fh / 2.0, 8.0, -2, f == 1 ? lit : dim);
        drawKey(cr, w - 19.5, y + 1.5, 19.0, fh - 3.0, 2.5, f == 2 ? rgb(120, 96, 60) : rgb(80, 76, 70), f == 2);
        drawArrow(cr, w - 10.0, y + fh / 2.0, 8.0, 2, f == 2 ? lit : dim);
        drawKey(cr, 22.5, y + 1.5, w - 45.0, fh - 3.0, 2.5, rgb(64, 60, 56), false);
        selectFont(cr, Font::SansBold, 8);
        drawTextCentred(cr, "METER SETTINGS", w / 2.0, y + fh / 2.0, rgb(214, 206, 192));
    }
}

namespace {

void lrMs(cairo_t* cr, const ResourceEntry& e, Meter m) {
    for (int f = 0; f < e.frames; ++f)
        drawSegmentedSwitch(cr, 0, f * e.frameHeight(), e.width, e.frameHeight(), {"L  R", "M  S"}, f, skinFor(m));
}

void hold(cairo_t* cr, const ResourceEntry& e, Meter m) {
    // OFF, infinite hold, timed HOLD: the horizontal switch's three zones from left to right.
    for (int f = 0; f < e.frames; ++f)
        drawSegmentedSwitch(cr, 0, f * e.frameHeight(), e.width, e.frameHeight(), {"OFF", "\xE2\x88\x9E", "HOLD"}, f,
                            skinFor(m), 7.5);
}

void caption(cairo_t* cr, const ResourceEntry& e, Meter m, const char* first, const char* second) {
    const Skin& s = skinFor(m);
    for (int f = 0; f < e.frames; ++f) {
        selectFont(cr, Font::SansBold, 10);
        drawPrint(cr, f == 0 ? first : second, e.width / 2.0, f * e.frameHeight() + e.frameHeight() / 2.0, s.print);
    }
}

}  // namespace

void paintVuLrMs(cairo_t* cr, const ResourceEntry& e) { lrMs(cr, e, Meter::Vu); }
void paintRmsLrMs(cairo_t* cr, const ResourceEntry& e) { lrMs(cr, e, Meter::Rms); }
void paintPpmLrMs(cairo_t* cr, const ResourceEntry& e) { lrMs(cr, e, Meter::Ppm); }
void paintVuHold(cairo_t* cr, const ResourceEntry& e) { hold(cr, e, Meter::Vu); }
void paintRmsHold(cairo_t* cr, const ResourceEntry& e) { hold(cr, e, Meter::Rms); }
void paintPpmHold(cairo_t* cr, const ResourceEntry& e) { hold(cr, e, Meter::Ppm); }
void paintVuLeftCaption(cairo_t* cr, const ResourceEntry& e) { caption(cr, e, Meter::Vu, "LEFT", "MID"); }
void paintVuRightCaption(cairo_t* cr, const ResourceEntry& e) { caption(cr, e, Meter::Vu, "RIGHT", "SIDE"); }
void paintRmsLeftCaption(cairo_t* cr, const ResourceEntry& e) { caption(cr, e, Meter::Rms, "LEFT", "MID"); }
void paintRmsRightCaption(cairo_t* cr, const ResourceEntry& e) { caption(cr, e, Meter::Rms, "RIGHT", "SIDE"); }
void paintPpmLeftCaption(cairo_t* cr, const ResourceEntry& e) { caption(cr, e, Meter::Ppm, "LEFT", "MID"); }
void paintPpmRightCaption(cairo_t* cr, const ResourceEntry& e) { caption(cr, e, Meter::Ppm, "RIGHT", "SIDE"); }

}  // namespace velunor::artwork
