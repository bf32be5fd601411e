#pragma once
// The bitmaps are PNG files embedded in the plug-in at build time; code finds one only by its
// resource number, through this one lookup, which the build generates from the resource list.

#include <cstddef>

namespace velunor {

struct ResourceBlob {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    explicit operator bool() const { return data != nullptr && size != 0; }
};

// The embedded PNG with that number; an empty blob when there is none.
ResourceBlob findResource(int id) noexcept;

}  // namespace velunor
