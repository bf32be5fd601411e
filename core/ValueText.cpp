#include "core/ValueText.h"

#include <cmath>
#include <cstring>

namespace velunor {

bool formatValueText(double x, int decimals, char* text, std::size_t size) {
    if (!text || size == 0 || !std::isfinite(x) || decimals < 0 || decimals > 2) return false;
    if (std::fabs(x) > 1e12) return false;  // far out of range; keeps the arithmetic below exact
    const bool negative = x < 0.0;

    // Round in whole units of the last decimal. The digits come from this integer, not from the
    // binary fraction, so 2.3 never reads "2.2".
    const long long unit = decimals == 0 ? 1 : decimals == 1 ? 10 : 100;
    const double scaled = x * static_cast<double>(unit);
    long long units = static_cast<long long>(scaled);  // toward zero
    const double rest = scaled - static_cast<double>(units);
    if (rest >= 0.49999) ++units;
    else if (rest <= -0.49999) --units;
    const unsigned long long magnitude = static_cast<unsigned long long>(units < 0 ? -units : units);
    const unsigned long long whole = magnitude / static_cast<unsigned long long>(unit);
    if (whole > (negative ? 9999999ull : 99999999ull) ||
        (whole == (negative ? 9999999ull : 99999999ull) && magnitude % static_cast<unsigned long long>(unit) != 0))
        return false;

    char out[kValueTextCapacity] = {};
    std::size_t length = 0;
    if (negative) out[length++] = '-';
    char digits[12];
    int count = 0;
    unsigned long long rest10 = whole;
    do {
        digits[count++] = static_cast<char>('0' + rest10 % 10);
        rest10 /= 10;
    } while (rest10 > 0);
    while (count > 0) out[length++] = digits[--count];

    if (decimals > 0) {
        out[length++] = '.';
        // The text is at most 8 characters wide: a long integer part leaves fewer decimals.
        const std::size_t room = length < 8 ? 8 - length : 0;
        const unsigned long long fraction = magnitude % static_cast<unsigned long long>(unit);
        const char fractionDigits[2] = {static_cast<char>('0' + (decimals == 1 ? fraction : fraction / 10)),
                                        static_cast<char>('0' + fraction % 10)};
        for (std::size_t i = 0; i < static_cast<std::size_t>(decimals) && i < room; ++i) out[length++] = fractionDigits[i];
    }

    const std::size_t keep = length < size - 1 ? length : size - 1;
    std::memcpy(text, out, keep);
    text[keep] = 0;
    return true;
}

}  // namespace velunor
