#pragma once
// Runs one of the built tools as a user would, through the shell, and keeps what it printed.

#include <cstdlib>
#include <string>

#include "tests/plugin/PluginFixture.h"
#include "tests/support/ShellCommand.h"

namespace velunor::testing {

// `output` holds standard output and error together.
using ToolResult = ShellResult;

// `arguments` starts with the tool's name; `environment` ("NAME=value ...") goes in front.
inline ToolResult runTool(const std::string& arguments, const std::string& environment = "") {
    return runShellCommand(environment + " '" + binDir() + "/" + arguments + " 2>&1");
}

inline std::string testTmp(const std::string& name) { return std::string(std::getenv("VELUNOR_TEST_TMP")) + "/" + name; }
inline std::string quoted(const std::string& path) { return " '" + path + "'"; }

}  // namespace velunor::testing
