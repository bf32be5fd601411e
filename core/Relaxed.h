#pragma once
// A value that one thread writes and others read without a lock. Every access is a relaxed atomic
// load or store: on x86 that is a plain move, yet the program stays free of data races. A stale
// read costs one display frame at most, which is all the plug-in's threads ever need.

#include <atomic>

namespace velunor {

template <typename T>
class Relaxed {
public:
    constexpr Relaxed() noexcept : value_{} {}
    constexpr Relaxed(T v) noexcept : value_{v} {}  // NOLINT(google-explicit-constructor)
    Relaxed(const Relaxed& other) noexcept : value_{other.load()} {}
    Relaxed& operator=(const Relaxed& other) noexcept { store(other.load()); return *this; }
    Relaxed& operator=(T v) noexcept { store(v); return *this; }

    T load() const noexcept { return value_.load(std::memory_order_relaxed); }
    void store(T v) noexcept { value_.store(v, std::memory_order_relaxed); }
    operator T() const noexcept { return load(); }  // NOLINT(google-explicit-constructor)

    // Read-modify-write by one writer thread: not atomic as a whole, only race-free.
    Relaxed& operator+=(T v) noexcept { store(load() + v); return *this; }
    Relaxed& operator-=(T v) noexcept { store(load() - v); return *this; }

private:
    std::atomic<T> value_;
    static_assert(std::atomic<T>::is_always_lock_free, "shared values must be lock-free");
};

}  // namespace velunor
