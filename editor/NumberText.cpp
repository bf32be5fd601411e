#include "editor/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace velunor::editor {

double parseNumberText(const char* text) {
    if (!text) return 0;
    const char* p = text;
    // atof skips the white space of the C locale first.
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Only digits and a point may start a number here: no sign twice, no "inf", "nan" or "0x".
    if (!((*p >= '0' && *p <= '9') || *p == '.')) return 0;
    const char* end = p + std::strlen(p);
    double value = 0;
    const auto [stop, error] = std::from_chars(p, end, value, std::chars_format::general);
    if (error != std::errc() || stop == p || !std::isfinite(value)) return 0;
    // "0x10" stops after the 0; atof would read it as sixteen, we read the 0 alone.
    return negative ? -value : value;
}

}  // namespace velunor::editor
