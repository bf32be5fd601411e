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

namespace velunor::hostcli {

bool parseParameterOption(const std::string& text, std::pair<VstInt32, float>& parameter) {
    const std::size_t eq = text.find('=');
    long index = 0;
    float number = 0.0f;
    if (eq == std::string::npos || !parseInt(text.substr(0, eq), index) || !parseFloat(text.substr(eq + 1), number) ||
        index < 0 || index > kHighestParameterIndex)
        return false;
    parameter = {static_cast<VstInt32>(index), number};
    return true;
}

}  // namespace velunor::hostcli
