#pragma once
// The subcommands of velunor-host. Each answers the process exit status: 0 done, 1 a file or the
// plug-in failed, 2 the command line was wrong.

#include <string>
#include <utility>
#include <vector>

#include "host/VstAbi.h"

namespace velunor::hostcli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int runInfo(const std::vector<std::string>& args);
int runProcess(const std::vector<std::string>& args);
int runGui(const std::vector<std::string>& args);

// Strict number parsing: the whole text must be the number.
bool parseInt(const std::string& text, long& value);
bool parseFloat(const std::string& text, float& value);

// The highest parameter index --param accepts.
constexpr VstInt32 kHighestParameterIndex = 100;
// "INDEX=VALUE" of --param: an index 0..kHighestParameterIndex and a finite value.
bool parseParameterOption(const std::string& text, std::pair<VstInt32, float>& parameter);

}  // namespace velunor::hostcli
