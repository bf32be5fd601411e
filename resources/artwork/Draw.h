#pragma once
// Drawing helpers the artwork shares: colours, fonts, text placement and the few hardware parts
// (recessed wells, lamps, buttons, screws) that recur on every panel. All drawing goes through
// cairo; text uses cairo's font API with fixed font options, so the pictures come out the same on
// every machine that has the fonts of scripts/install-deps.sh.

#include <cairo.h>

#include <numbers>
#include <string>

namespace velunor::artwork {

inline constexpr double kPi = std::numbers::pi;

struct Colour {
    double r = 0.0, g = 0.0, b = 0.0, a = 1.0;
};

// 8-bit components, as colours are written everywhere else in the project.
constexpr Colour rgb(int r, int g, int b, int a = 255) {
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
}
Colour mix(Colour a, Colour b, double t);
Colour withAlpha(Colour c, double alpha);

void setColour(cairo_t* cr, Colour c);

enum class Font { Sans, SansBold, Narrow, NarrowBold };
enum class Align { Left, Centre, Right };

struct TextBox {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

// The font families the artwork is drawn with; false, with the first missing family named, when
// fontconfig would substitute another face (the pictures would then differ between machines).
bool fontsInstalled(std::string& missingFamily);

// Sets the face and size with the fixed font options (grey antialiasing, no hinting).
void selectFont(cairo_t* cr, Font font, double sizePx);

// Ink extents of a text at the current font.
TextBox measure(cairo_t* cr, const std::string& text);

// Draws text with its base line at y, aligned on x; returns the ink box it covered.
TextBox drawText(cairo_t* cr, const std::string& text, double x, double baselineY, Align align, Colour colour);

// Draws text whose ink box is centred on (cx, cy); returns that box.
TextBox drawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, Colour colour);

// Silk-screen print on a panel: the text with a faint dark shadow one pixel below.
TextBox drawPrint(cairo_t* cr, const std::string& text, double cx, double cy, Colour colour);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// A vertical linear gradient filling the path or rectangle.
void fillVertical(cairo_t* cr, double x, double y, double w, double h, Colour top, Colour bottom);

// A recessed well: darker inside, a shadow along the top edge and a highlight along the bottom.
void drawWell(cairo_t* cr, double x, double y, double w, double h, double radius, Colour inside);

// A raised plastic key face with a soft outline.
void drawKey(cairo_t* cr, double x, double y, double w, double h, double radius, Colour face, bool pressed);

// A round indicator lamp; brightness 0 is dark, 1 fully lit.
void drawLamp(cairo_t* cr, double cx, double cy, double radius, Colour lit, double brightness);

// A slotted panel screw.
void drawScrew(cairo_t* cr, double cx, double cy, double radius, double slotDegrees);

// A filled triangle pointing up (direction -1) or down (+1), or left (-2) / right (+2).
void drawArrow(cairo_t* cr, double cx, double cy, double size, int direction, Colour colour);

}  // namespace velunor::artwork
