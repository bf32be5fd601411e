#include "effect/ValueText.h"

#include <cmath>
#include <cstring>

namespace velunor {

bool formatValueText(double x, int decimals, char* text) {
    if (!text || !std::isfinite(x) || decimals < 0 || decimals > 2) return false;
    const bool negative = x < 0.0;
    if (std::fabs(x) > 1e12) return false;  // far out of range; keeps the arithmetic below exact

    // Round at the last decimal shown: push a value half a unit or more away from the truncated
    // one past the next unit, so that truncating the digits below rounds.
    const double unit = decimals == 0 ? 1.0 : decimals == 1 ? 10.0 : 100.0;
    const double scale = decimals == 0 ? 1.0 : decimals == 1 ? 0.1 : 0.01;
    const double d = unit * x;
    const double e = std::trunc(d);
    if (d - e >= 0.49999) x = scale * (d + 1.0);
    else if (d - e <= -0.49999) x = scale * (d - 1.0);

    char out[kValueTextCapacity] = {};
    std::size_t length = 0;
    if (negative) out[length++] = '-';
    const double magnitude = std::fabs(x);  // rounding may have crossed zero
    if (magnitude > (negative ? 9999999.0 : 99999999.0)) return false;

    // Integer part.
    const auto whole = static_cast<long>(magnitude);
    char digits[12];
    int count = 0;
    long rest = whole;
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    while (count > 0) out[length++] = digits[--count];
    out[length++] = '.';

    // Fraction digits until the text is 8 characters long, least significant first.
    const int wanted = length < 8 ? static_cast<int>(8 - length) : 0;
    const double fraction = (magnitude - static_cast<double>(whole)) * std::pow(10.0, wanted);
    auto scaled = static_cast<long>(fraction);
    for (int i = wanted - 1; i >= 0; --i) {
        out[length + static_cast<std::size_t>(i)] = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    length += static_cast<std::size_t>(wanted);

    // Cut the text `decimals` digits after the point; with none the point goes too.
    const char* point = std::strchr(out, '.');
    std::size_t keep = static_cast<std::size_t>(point - out) + (decimals == 0 ? 0 : 1 + static_cast<std::size_t>(decimals));
    if (keep > length) keep = length;
    out[keep] = 0;
    std::memcpy(text, out, keep + 1);
    return true;
}

}  // namespace velunor
