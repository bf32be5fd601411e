#include <cstdio>

#include "tools/velunor-host/Commands.h"

namespace velunor::hostcli {

int fail(const std::string& message) {
    std::fprintf(stderr, "velunor-host: %s\n", message.c_str());
    return kExitFailure;
}

int usageError(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "velunor-host %s: %s\n", command.c_str(), message.c_str());
    return kExitUsage;
}

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
