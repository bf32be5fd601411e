#include "meters/ValueText.h"

#include <cmath>
#include <cstdio>

namespace velunor {

void formatValueText(double x, int decimals, char* text, std::size_t size) {
    if (!text || size == 0 || !std::isfinite(x) || std::fabs(x) > 9999999.0) return;
    if (decimals < 0) decimals = 0;
    if (decimals > 2) decimals = 2;
    const long long unit = decimals == 0 ? 1 : decimals == 1 ? 10 : 100;
    const double scaled = x * static_cast<double>(unit);
    long long whole = static_cast<long long>(scaled);  // toward zero
    const double rest = scaled - static_cast<double>(whole);
    double rounded = x;
    if (rest >= 0.49999) {
        ++whole;
        rounded = (scaled + 1.0) / static_cast<double>(unit);
    } else if (rest <= -0.49999) {
        --whole;
        rounded = (scaled - 1.0) / static_cast<double>(unit);
    }
    // The sign is that of the number, so a small negative value reads "-0.0".
    const bool negative = rounded < 0;
    const unsigned long long magnitude = static_cast<unsigned long long>(whole < 0 ? -whole : whole);
    if (decimals == 0)
        std::snprintf(text, size, "%s%llu", negative ? "-" : "", magnitude);
    else
        std::snprintf(text, size, "%s%llu.%0*llu", negative ? "-" : "", magnitude / static_cast<unsigned long long>(unit),
                      decimals, magnitude % static_cast<unsigned long long>(unit));
}

}  // namespace velunor
