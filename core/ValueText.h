#pragma once
// The number format of every parameter display, setting display and text field: a value with 0, 1
// or 2 decimals, rounded at the last decimal (a remainder of 0.49999 of a unit already counts as a
// half, away from zero) and written at most 8 characters wide ("-3.5", "0.0", "250", "31.7").

#include <cstddef>

namespace velunor {

// Text buffers for value and frequency texts hold at least this many bytes.
constexpr std::size_t kValueTextCapacity = 16;

// Writes the text into `text`, a buffer of `size` bytes: at most size - 1 characters and a
// terminating zero. A value that does not fit (magnitude above 9999999, or 99999999 when positive)
// or is not a number leaves `text` as it is and answers false.
bool formatValueText(double value, int decimals, char* text, std::size_t size = kValueTextCapacity);

}  // namespace velunor
