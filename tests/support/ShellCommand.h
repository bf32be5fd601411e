#pragma once
// Runs a command line through the shell, as a user or a script would, and keeps what it printed.

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace velunor::testing {

struct ShellResult {
    int status = -1;  // the exit status; -1 when the command could not run or was killed
    std::string output;  // what it wrote to standard output
};

inline ShellResult runShellCommand(const std::string& command) {
    ShellResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace velunor::testing
