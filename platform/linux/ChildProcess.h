#pragma once
// Starting helper programs from inside a host: found on PATH by us (so that "not installed" is
// known before anything starts), run without a shell, detached from the host's session and
// terminal, and waited for only by polling, so that the host's thread never waits on them.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace velunor {

class ChildProcess {
public:
    // The exit code a child reads as when it can no longer be waited for: someone else (a host's
    // own SIGCHLD handling) collected it first.
    static constexpr int kExitUnknown = -1;

    // The full path of the executable `program` in the folders PATH names (the system's default
    // folders without PATH); empty when there is none. Empty and relative PATH entries are
    // skipped: they would run whatever lies in the host's working folder.
    static std::string findOnPath(const char* program);

    // Starts `executable` (a full path) with `arguments`, in a session of its own, with standard
    // input from /dev/null, default signal handling and none of the host's descriptors beyond
    // standard output and error. Null when it could not be started.
    static std::optional<ChildProcess> spawnDetached(const std::string& executable,
                                                     const std::vector<std::string>& arguments);

    // The exit code once the child has ended (128 + the signal when a signal ended it), nothing
    // while it runs. Never blocks.
    std::optional<int> pollExit();

    pid_t pid() const { return pid_; }

private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    pid_t pid_;
};

}  // namespace velunor
