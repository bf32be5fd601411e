#pragma once
// Film strips: the frames of a control stacked vertically in one bitmap.

#include "gui/CGeometry.h"

// The frame a normalised value shows among `frames`: rounded to the nearest, as the early
// library's switches, movie bitmaps and animated knobs do.
constexpr int32 filmStripFrame(float normalized, int32 frames) {
    if (frames <= 1 || !(normalized > 0.0f)) return 0;
    if (normalized >= 1.0f) return frames - 1;
    return static_cast<int32>(normalized * static_cast<float>(frames - 1) + 0.5f);
}
