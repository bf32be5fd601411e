#pragma once
// Reads resources/resources.list: the one table of every bitmap's number, file, size and frames.

#include <string>
#include <vector>

namespace velunor::artwork {

struct ResourceEntry {
    int id = 0;
    std::string file;
    int width = 0;
    int height = 0;
    int frames = 1;
    std::string what;
    int frameHeight() const { return height / frames; }
};

// The entries in file order; an error text instead when a line is malformed, a frame count does
// not divide the height, or a number or file name appears twice.
struct ResourceListResult {
    std::vector<ResourceEntry> entries;
    std::string error;
};

ResourceListResult readResourceList(const std::string& path);

}  // namespace velunor::artwork
