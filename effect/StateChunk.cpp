#include "effect/StateChunk.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velunor {

void StateChunk::clearForSaving() {
    bytes_.fill(0);
    heldBytes_ = kBytes;
    setSlot(0, kFormatMarker);
}

void StateChunk::restoreFrom(const void* data, std::size_t bytes) {
    bytes_.fill(0);
    heldBytes_ = data ? std::min(bytes, kBytes) : 0;
    if (heldBytes_ > 0) std::memcpy(bytes_.data(), data, heldBytes_);
}

// Little-endian whatever the machine, so a project moves between builds unchanged.
float StateChunk::slot(int index) const {
    if (index < 0 || static_cast<std::size_t>(index + 1) * 4 > kBytes) return 0.0f;
    const unsigned char* b = bytes_.data() + static_cast<std::size_t>(index) * 4;
    const std::uint32_t bits = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                               static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void StateChunk::setSlot(int index, float value) {
    if (index < 0 || static_cast<std::size_t>(index + 1) * 4 > kBytes) return;
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char* b = bytes_.data() + static_cast<std::size_t>(index) * 4;
    for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(bits >> (8 * i));
}

void StateChunk::setLabel(const char* field) {
    if (field) std::memcpy(bytes_.data() + kLabelOffset, field, kLabelBytes);
}

}  // namespace velunor
