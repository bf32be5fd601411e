#pragma once
// The needle faces. The VU face is its own film strip (the view tints it); the PPM and RMS faces
// are printed into their front panels. Every scale mark comes from views/ScaleLaws.h.

#include <cairo.h>

#include "views/ScaleLaws.h"

namespace velunor::artwork {

// One VU face frame (250 x 122: face and bezel strip) with its top-left corner at the origin.
void drawVuFace(cairo_t* cr, scale::Point origin, int tint);

// The PPM and RMS faces (250 x 116) with their top-left corner at the origin.
void drawPpmFace(cairo_t* cr, scale::Point origin);
void drawRmsFace(cairo_t* cr, scale::Point origin);

}  // namespace velunor::artwork
