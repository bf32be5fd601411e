#pragma once
// Which interpolator variant runs: the widest one the processor supports, chosen once when the
// library is loaded. The plain variant is the direct 64-tap form, the definition the vector
// variants are checked against.

#include <span>

#include "meters/TruePeakKernel.h"

namespace velunor {

// Built on first use and never changed.
const TruePeakTaps& truePeakTaps();

// The plain direct form: every phase a 64-tap sum in tap order, multiply and add unfused.
extern const TruePeakKernel kTruePeakPlain;

// The plain variant first, then every vector variant this processor can run, narrowest first.
std::span<const TruePeakKernel* const> supportedTruePeakKernels();
// The widest supported variant.
const TruePeakKernel& selectedTruePeakKernel();

}  // namespace velunor
