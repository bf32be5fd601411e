#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "tools/velunor-host/Commands.h"

namespace velunor::hostcli {

bool parseInt(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end && *end == 0;
}

bool parseFloat(const std::string& text, float& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtof(text.c_str(), &end);
    return errno == 0 && end && *end == 0 && std::isfinite(value);
}

}  // namespace velunor::hostcli
