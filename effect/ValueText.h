#pragma once
// The number format of every parameter display and text field: a value with 0, 1 or 2 decimals,
// rounded at the last decimal and written at most 8 characters wide ("-3.5", "0.0", "250",
// "31.7").

#include <cstddef>

namespace velunor {

// Text buffers for value and frequency texts hold at least this many bytes.
constexpr std::size_t kValueTextCapacity = 16;

// Writes the text into `text` (at least kValueTextCapacity bytes). A value that does not fit
// (magnitude above 9999999, or 99999999 when positive) or is not a number leaves `text` as it is
// and answers false.
bool formatValueText(double value, int decimals, char* text);

}  // namespace velunor
