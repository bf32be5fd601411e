#pragma once
// Parameter changes on their way from any thread to the user-interface thread. One slot per
// index holds the latest value and a pending mark in a single atomic word, so a writer never
// waits, nothing is allocated, a burst of changes (a restored chunk sends more than a hundred)
// cannot overflow, and the reader never pairs a mark with a value from another write.

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>

#include "host/VstAbi.h"

class ParameterMailbox {
public:
    // Indices 0..127 cover every parameter, command and control tag the views know.
    static constexpr VstInt32 kSlots = 128;

    // Any thread. Indices outside the table are dropped.
    void post(VstInt32 index, float value) noexcept {
        if (index < 0 || index >= kSlots) return;
        slot(index).store(kPending | std::bit_cast<std::uint32_t>(value), std::memory_order_relaxed);
    }
    // The user-interface thread, when it applies a change itself: an older posted value of that
    // index must not be applied after it.
    void discard(VstInt32 index) noexcept {
        if (index >= 0 && index < kSlots) slot(index).store(0, std::memory_order_relaxed);
    }
    // The user-interface thread: calls apply(index, value) for every pending index, in index order.
    template <typename Apply>
    void drain(Apply&& apply) {
        for (VstInt32 index = 0; index < kSlots; ++index) {
            std::atomic<std::uint64_t>& s = slot(index);
            if (s.load(std::memory_order_relaxed) == 0) continue;
            const std::uint64_t word = s.exchange(0, std::memory_order_relaxed);
            if (word & kPending) apply(index, std::bit_cast<float>(static_cast<std::uint32_t>(word)));
        }
    }

private:
    static constexpr std::uint64_t kPending = std::uint64_t{1} << 32;
    std::atomic<std::uint64_t>& slot(VstInt32 index) noexcept { return slots_[static_cast<std::size_t>(index)]; }
    std::array<std::atomic<std::uint64_t>, kSlots> slots_{};
};
