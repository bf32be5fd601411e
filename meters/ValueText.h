#pragma once
// The number formatter of the settings' display texts: x rounded to 0, 1 or 2 decimals, halves away
// from zero (a fraction of 0.49999 already counts as a half), written without exponent.

#include <cstddef>

namespace velunor {

// Writes at most size - 1 characters and a terminating zero. A magnitude above 9999999 leaves the
// buffer as it was.
void formatValueText(double x, int decimals, char* text, std::size_t size);

}  // namespace velunor
