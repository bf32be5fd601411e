#pragma once
// One picture with every bitmap, its number and size, for reviewing the whole set at a glance.
// Film strips are laid out frame by frame from left to right.

#include <cairo.h>

#include <string>
#include <vector>

#include "resources/artwork/ResourceList.h"

namespace velunor::artwork {

struct DrawnResource {
    ResourceEntry entry;
    cairo_surface_t* surface;  // not owned
};

// Writes the sheet as PNG; false when it cannot be written.
bool writeContactSheet(const std::vector<DrawnResource>& drawn, const std::string& path);

}  // namespace velunor::artwork
