#pragma once
// The subcommands of velunor-host. Each answers the process exit status: 0 done, 1 a file or the
// plug-in failed, 2 the command line was wrong.

#include <string>
#include <utility>
#include <vector>

#include "host/VstAbi.h"
#include "tools/cli/StrictNumber.h"

namespace velunor::hostcli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int runInfo(const std::vector<std::string>& args);
int runProcess(const std::vector<std::string>& args);
int runGui(const std::vector<std::string>& args);

using cli::parseFloat;
using cli::parseInt;

// The message on standard error for a file or the plug-in that failed; answers kExitFailure.
int fail(const std::string& message);
// The message on standard error for a wrong command line of `command`; answers kExitUsage.
int usageError(const std::string& command, const std::string& message);

// The highest parameter index --param accepts.
constexpr VstInt32 kHighestParameterIndex = 100;
// "INDEX=VALUE" of --param: an index 0..kHighestParameterIndex and a finite value.
bool parseParameterOption(const std::string& text, std::pair<VstInt32, float>& parameter);

}  // namespace velunor::hostcli
