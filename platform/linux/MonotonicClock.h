#pragma once
#include <cstdint>

namespace velunor::platform {
// Milliseconds since an arbitrary start, never going backwards; wraps after 49 days.
std::uint32_t monotonicTickMs() noexcept;
}  // namespace velunor::platform
