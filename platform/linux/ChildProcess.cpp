#include "platform/linux/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace velunor {
namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string searchPath() {
    if (const char* path = std::getenv("PATH")) return path;
    std::string fallback(::confstr(_CS_PATH, nullptr, 0), '\0');
    if (fallback.empty()) return "/bin:/usr/bin";
    ::confstr(_CS_PATH, fallback.data(), fallback.size());
    fallback.pop_back();  // confstr counts the terminating zero
    return fallback;
}

// Owns the spawn attributes and file actions for the duration of one spawn.
class SpawnSetup {
public:
    SpawnSetup() {
        ok_ = ::posix_spawnattr_init(&attributes_) == 0;
        ok_ = ::posix_spawn_file_actions_init(&actions_) == 0 && ok_;
    }
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    bool prepare() {
        if (!ok_) return false;
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        // Hosts block or ignore signals (SIGPIPE, SIGCHLD) on their threads; a desktop program
        // started from there must not inherit that.
        short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        return ::posix_spawnattr_setflags(&attributes_, flags) == 0 &&
               ::posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
               ::posix_spawnattr_setsigdefault(&attributes_, &all) == 0 &&
               ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
               ::posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1) == 0;
    }

    posix_spawnattr_t* attributes() { return &attributes_; }
    posix_spawn_file_actions_t* actions() { return &actions_; }

private:
    posix_spawnattr_t attributes_{};
    posix_spawn_file_actions_t actions_{};
    bool ok_ = false;
};

}  // namespace

std::string ChildProcess::findOnPath(const char* program) {
    if (!program || !*program || std::string_view(program).find('/') != std::string_view::npos) return {};
    const std::string path = searchPath();
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) {
            std::string candidate = path.substr(start, end - start) + "/" + program;
            if (candidate.front() == '/' && isExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::optional<ChildProcess> ChildProcess::spawnDetached(const std::string& executable,
                                                        const std::vector<std::string>& arguments) {
    SpawnSetup setup;
    if (!setup.prepare()) return std::nullopt;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, executable.c_str(), setup.actions(), setup.attributes(), argv.data(), environ) != 0)
        return std::nullopt;
    return ChildProcess(pid);
}

std::optional<int> ChildProcess::pollExit() {
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(pid_, &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == 0) return std::nullopt;
    if (r < 0) return kExitUnknown;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return std::nullopt;  // stopped or continued: still there
}

}  // namespace velunor
