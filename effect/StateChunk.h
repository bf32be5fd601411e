#pragma once
// The state block the host saves and restores: 149 little-endian floats. Slot 0 is a format
// marker, bytes 4..43 the label, slots 11..74 the 64 host parameters, slots 75..101 the 27 meter
// settings in the order of kMeterSettings, and the rest zero. The effect owns one and hands the
// host its address.

#include <array>
#include <cstddef>

namespace velunor {

class StateChunk {
public:
    static constexpr std::size_t kBytes = 596;
    static constexpr std::size_t kLabelOffset = 4;
    static constexpr std::size_t kLabelBytes = 40;
    static constexpr int kParameterSlot = 11;      // host parameter 0
    static constexpr int kMeterSettingSlot = 75;   // kMeterSettings[0]
    static constexpr float kFormatMarker = 300.0f;

    // Zero, with the format marker in slot 0.
    void clearForSaving();
    // Zero, then the first `bytes` bytes of `data` (at most kBytes). Only what was copied counts as
    // held: a shorter block is never read past its end.
    void restoreFrom(const void* data, std::size_t bytes);

    bool holdsSlot(int slot) const { return slot >= 0 && static_cast<std::size_t>(slot + 1) * 4 <= heldBytes_; }
    bool holdsLabel() const { return kLabelOffset + kLabelBytes <= heldBytes_; }

    float slot(int index) const;
    void setSlot(int index, float value);
    const unsigned char* label() const { return bytes_.data() + kLabelOffset; }
    void setLabel(const char* field);  // kLabelBytes bytes, copied as they stand

    void* data() { return bytes_.data(); }

private:
    std::array<unsigned char, kBytes> bytes_{};
    std::size_t heldBytes_ = 0;
};

}  // namespace velunor
