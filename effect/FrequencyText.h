#pragma once
// Frequencies as the strip shows them: "20.0", "200", "1k05", "4k75", "12k5", "30k".

namespace velunor {

// Writes into `text` (at least kValueTextCapacity bytes, see ValueText.h); a frequency that is not
// a number, negative or of a billion Hz or more leaves `text` as it is and answers false.
bool formatFrequencyText(double hz, char* text);

}  // namespace velunor
