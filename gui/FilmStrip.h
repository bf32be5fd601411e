#pragma once
// Film strips: the frames of a control stacked vertically in one bitmap.

#include "gui/CBitmap.h"
#include "gui/CGeometry.h"

// The frame a normalised value shows among `frames`: rounded to the nearest, as the early
// library's switches, movie bitmaps and animated knobs do.
constexpr int32 filmStripFrame(float normalized, int32 frames) {
    if (frames <= 1 || !(normalized > 0.0f)) return 0;
    if (normalized >= 1.0f) return frames - 1;
    return static_cast<int32>(normalized * static_cast<float>(frames - 1) + 0.5f);
}

// How many frames of the view's height the strip holds; 0 without a strip.
inline int32 filmStripFrames(const CBitmap* strip, const CRect& size) {
    return strip && size.getHeight() > 0 ? static_cast<int32>(strip->getHeight() / size.getHeight()) : 0;
}

// Draws into `size` the frame that `normalized` shows; `offset` is where the first frame starts.
inline void drawFilmStripFrame(CDrawContext* context, CBitmap* strip, const CRect& size, const CPoint& offset,
                               float normalized, int32 frames, CCoord frameHeight, float alpha) {
    if (!strip) return;
    const int32 frame = filmStripFrame(normalized, frames);
    strip->draw(context, size, CPoint(offset.x, offset.y + frame * frameHeight), alpha);
}
