#pragma once
// Runs one of the built tools as a user would, through the shell, and keeps what it printed.

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/plugin/PluginFixture.h"

namespace velunor::testing {

struct ToolResult {
    int status = -1;
    std::string output;  // standard output and error together
};

// `arguments` starts with the tool's name; `environment` ("NAME=value ...") goes in front.
inline ToolResult runTool(const std::string& arguments, const std::string& environment = "") {
    const std::string command = environment + " '" + binDir() + "/" + arguments + " 2>&1";
    ToolResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::string testTmp(const std::string& name) { return std::string(std::getenv("VELUNOR_TEST_TMP")) + "/" + name; }
inline std::string quoted(const std::string& path) { return " '" + path + "'"; }

}  // namespace velunor::testing
