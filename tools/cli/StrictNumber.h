#pragma once
// Numbers from a command line: the whole word must be the number, so "12ms" or "1,5" is an error
// rather than a quiet 12 or 1.

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace velunor::cli {

inline bool parseInt(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end && *end == 0;
}

// Also refuses what a float cannot hold (out of range sets errno) and the non-finite words.
inline bool parseFloat(const std::string& text, float& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtof(text.c_str(), &end);
    return errno == 0 && end && *end == 0 && std::isfinite(value);
}

inline bool parseDouble(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end && *end == 0 && std::isfinite(value);
}

}  // namespace velunor::cli
