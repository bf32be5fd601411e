#pragma once
// Numbers from a command line: the whole word must be the number, so "12ms" or "1,5" is an error
// rather than a quiet 12 or 1.

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace velunor::cli {

// `convert` is one of the strto* functions; a value out of its type's range sets errno.
template <typename T, typename Convert>
bool parseWhole(const std::string& text, T& value, Convert convert) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = convert(text.c_str(), &end);
    return errno == 0 && end && *end == 0;
}

inline bool parseInt(const std::string& text, long& value) {
    return parseWhole(text, value, [](const char* s, char** end) { return std::strtol(s, end, 10); });
}

// The floating-point ones also refuse "inf" and "nan".
inline bool parseFloat(const std::string& text, float& value) {
    return parseWhole(text, value, [](const char* s, char** end) { return std::strtof(s, end); }) &&
           std::isfinite(value);
}

inline bool parseDouble(const std::string& text, double& value) {
    return parseWhole(text, value, [](const char* s, char** end) { return std::strtod(s, end); }) &&
           std::isfinite(value);
}

}  // namespace velunor::cli
