#pragma once
// Hardware parts shared by several bitmaps: segmented selector switches, key buttons with a lamp,
// and the panel backgrounds of each finish.

#include <cairo.h>

#include <initializer_list>
#include <string>

#include "resources/artwork/Draw.h"
#include "resources/artwork/Skin.h"

namespace velunor::artwork {

// A row of segments in one housing with the selected one lit (horizontal switches and two-state
// buttons that show both states).
void drawSegmentedSwitch(cairo_t* cr, double x, double y, double w, double h, std::initializer_list<std::string> labels,
                         int selected, const Skin& skin, double fontPx = 8.0);

// The same, stacked vertically (top segment first).
void drawStackedSwitch(cairo_t* cr, double x, double y, double w, double h, std::initializer_list<std::string> labels,
                       int selected, const Skin& skin, double fontPx = 7.5);

// A key with a caption and a small lamp on its left; lamp brightness 0..1.
void drawLampKey(cairo_t* cr, double x, double y, double w, double h, const std::string& caption, Colour lamp,
                 double brightness, const Skin& skin);

// The panel finish over a rectangle: a vertical gradient with a faint horizontal grain.
void drawPanel(cairo_t* cr, double x, double y, double w, double h, const Skin& skin);

// A one- or two-line caption printed on a panel.
void drawCaption(cairo_t* cr, const std::string& text, double cx, double cy, const Skin& skin, double fontPx = 8.0);

}  // namespace velunor::artwork
