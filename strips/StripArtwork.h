#pragma once
// A bitmap resource held while the controls that use it are built: each control takes its own
// reference, and the strip lets go of its one when the builder goes out of scope.

#include "gui/CBitmap.h"

class StripArtwork {
public:
    explicit StripArtwork(int resourceId) : bitmap_(new CBitmap(resourceId)) {}
    ~StripArtwork() { bitmap_->forget(); }
    StripArtwork(const StripArtwork&) = delete;
    StripArtwork& operator=(const StripArtwork&) = delete;

    CBitmap* get() const { return bitmap_; }
    CCoord width() const { return bitmap_->getWidth(); }
    CCoord height() const { return bitmap_->getHeight(); }

private:
    CBitmap* bitmap_;
};
