// The three front panels (586 x 169): the top bar with the shared controls' places, the two face
// windows, the trim fader's track and scale and the trim value window.
#include <cmath>
#include <string>

#include "resources/artwork/Draw.h"
#include "resources/artwork/Faces.h"
#include "resources/artwork/Painters.h"
#include "resources/artwork/Parts.h"

namespace velunor::artwork {

namespace {

// Trim fader: the handle (19 px high) travels 107 px from y 17 (value 1, +20 dB) down.
constexpr double kTrimCentreX = 554.0;
constexpr double kTrimTopY = 17.0 + 9.5;
constexpr double kTrimTravel = 107.0;

double trimY(double db) { return kTrimTopY + (1.0 - (db + 20.0) / 40.0) * kTrimTravel; }

void faceWindow(cairo_t* cr, scale::Point origin, double w, double h) {
    roundedRect(cr, origin.x - 4.0, origin.y - 4.0, w + 8.0, h + 8.0, 4.0);
    setColour(cr, rgb(255, 255, 255, 30));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    roundedRect(cr, origin.x - 3.5, origin.y - 3.5, w + 7.0, h + 7.0, 3.5);
    setColour(cr, rgb(6, 6, 6));
    cairo_fill(cr);
}

void drawFrontPanel(cairo_t* cr, const Skin& skin, void (*face)(cairo_t*, scale::Point), double faceHeight) {
    drawPanel(cr, 0, 0, 586, 169, skin);

    // Top bar: calibration, reference, name, hint line, manual, PROCESS and STRIPS.
    fillVertical(cr, 0, 0, 586, 15, mix(skin.bar, rgb(0, 0, 0), 0.2), skin.bar);
    cairo_move_to(cr, 0, 15.5);
    cairo_line_to(cr, 586, 15.5);
    setColour(cr, rgb(255, 255, 255, 36));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    drawWell(cr, 302, 1, 196, 12, 2, rgb(10, 10, 10));
    selectFont(cr, Font::SansBold, 9);
    const TextBox name = drawText(cr, "QVX Velunor", 236, 11, Align::Left, skin.print);
    selectFont(cr, Font::Sans, 7);
    drawText(cr, skin.name, name.right + 4, 11, Align::Left, skin.accent);

    faceWindow(cr, scale::kLeftViewOrigin, 250, faceHeight);
    faceWindow(cr, scale::kRightViewOrigin, 250, faceHeight);
    face(cr, scale::kLeftViewOrigin);
    face(cr, scale::kRightViewOrigin);

    // Trim fader track and its scale in dB.
    drawWell(cr, kTrimCentreX - 2.0, trimY(20.0) - 4.0, 4.0, trimY(-20.0) - trimY(20.0) + 8.0, 2.0, rgb(4, 4, 4));
    selectFont(cr, Font::Narrow, 7.5);
    for (int db = -20; db <= 20; db += 5) {
        const double y = std::round(trimY(db)) + 0.5;
        const bool major = db % 10 == 0;
        const double len = major ? 6.0 : 3.5;
        cairo_move_to(cr, kTrimCentreX - 8.0 - len, y);
        cairo_line_to(cr, kTrimCentreX - 8.0, y);
        cairo_move_to(cr, kTrimCentreX + 8.0, y);
        cairo_line_to(cr, kTrimCentreX + 8.0 + len, y);
        setColour(cr, skin.print);
        cairo_set_line_width(cr, major ? 1.0 : 0.8);
        cairo_stroke(cr);
        if (major) {
            const std::string label = db > 0 ? "+" + std::to_string(db) : db < 0 ? std::to_string(db) : "0";
            drawTextCentred(cr, label, 579.0, y, skin.print);
        }
    }
    // Trim value window (the value field draws this part of the picture under its text).
    drawWell(cr, 530, 146, 48, 15, 2, rgb(12, 12, 12));
    selectFont(cr, Font::SansBold, 6.0);
    drawTextCentred(cr, "TRIM dB", 554.0, 165.0, mix(skin.print, skin.panelBottom, 0.25));

    // A groove between the faces and the bottom row of controls.
    cairo_move_to(cr, 4, 142.5);
    cairo_line_to(cr, 527, 142.5);
    setColour(cr, rgb(0, 0, 0, 90));
    cairo_stroke(cr);
    cairo_move_to(cr, 4, 143.5);
    cairo_line_to(cr, 527, 143.5);
    setColour(cr, rgb(255, 255, 255, 22));
    cairo_stroke(cr);
}

void vuFaceAtMiddleTint(cairo_t* cr, scale::Point origin) { drawVuFace(cr, origin, 2); }

}  // namespace

void paintVuFront(cairo_t* cr, const ResourceEntry&) {
    drawFrontPanel(cr, skinFor(Meter::Vu), vuFaceAtMiddleTint, scale::kVuFace.height);
}

void paintRmsFront(cairo_t* cr, const ResourceEntry&) {
    drawFrontPanel(cr, skinFor(Meter::Rms), drawRmsFace, scale::kRmsFace.height);
}

void paintPpmFront(cairo_t* cr, const ResourceEntry&) {
    drawFrontPanel(cr, skinFor(Meter::Ppm), drawPpmFace, scale::kPpmFace.height);
}

}  // namespace velunor::artwork
