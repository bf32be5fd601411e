#pragma once
// A short text that one thread may rewrite while another reads it: the label, set by a restored
// chunk on the host's thread and shown by the editor. A sequence lock over bytes held in atomics:
// a reader copies the text out and copies again when a write overlapped, so it never sees half of
// one text and half of another; a writer never waits for a reader. Never used on the audio thread.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace velunor {

template <std::size_t N>
class SharedText {
public:
    // A copy of the text's N bytes, of which one at least is a zero.
    struct Copy {
        std::array<char, N> bytes{};
        const char* data() const { return bytes.data(); }
        operator const char*() const { return bytes.data(); }  // NOLINT(google-explicit-constructor)
    };

    // Takes the first `size` bytes as they are (at most N) and zeros the rest; when none of the N
    // bytes is a zero, the last one becomes one.
    void store(const char* bytes, std::size_t size) noexcept {
        std::array<char, N> next{};
        bool hasZero = size < N;
        for (std::size_t i = 0; bytes && i < size && i < N; ++i) {
            next[i] = bytes[i];
            hasZero = hasZero || bytes[i] == 0;
        }
        if (!hasZero) next[N - 1] = 0;
        std::uint32_t s = seq_.load(std::memory_order_relaxed);
        // Writers take turns: an odd count is a write under way.
        do {
            s &= ~std::uint32_t{1};
        } while (!seq_.compare_exchange_weak(s, s + 1, std::memory_order_acquire, std::memory_order_relaxed));
        // Release stores (rather than a fence, which the thread sanitizer cannot follow): a reader
        // that sees a new byte also sees the odd count that marks the write.
        for (std::size_t i = 0; i < N; ++i) text_[i].store(next[i], std::memory_order_release);
        seq_.store(s + 2, std::memory_order_release);
    }

    Copy load() const noexcept {
        Copy out;
        for (;;) {
            const std::uint32_t before = seq_.load(std::memory_order_acquire);
            if (before & 1u) continue;
            for (std::size_t i = 0; i < N; ++i) out.bytes[i] = text_[i].load(std::memory_order_acquire);
            if (seq_.load(std::memory_order_relaxed) == before) break;
        }
        return out;
    }

private:
    std::atomic<std::uint32_t> seq_{0};
    std::array<std::atomic<char>, N> text_{};
};

}  // namespace velunor
