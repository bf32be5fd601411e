#pragma once
// The three meters share one hardware design in three finishes: the VU meter warm charcoal, the
// RMS meter blue slate and the PPM meter black. Everything that differs between them is here.

#include "resources/artwork/Draw.h"

namespace velunor::artwork {

enum class Meter { Vu, Rms, Ppm };

struct Skin {
    Meter meter;
    const char* name;        // "VU", "RMS", "PPM"
    Colour panelTop;
    Colour panelBottom;
    Colour bar;              // the darker band at the top of the front panel and the strips
    Colour print;            // silk-screen text and scale lines
    Colour accent;           // lamps and the lit parts of switches
    Colour key;              // plastic key faces
};

const Skin& skinFor(Meter meter);

// The colour of the value labels the back panels draw over the artwork.
inline constexpr Colour kValueTextColour = rgb(200, 193, 193);

}  // namespace velunor::artwork
