#pragma once
// An Xvfb of our own for the window tests of one test process.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace guitest {

// An Xvfb of our own on a display number it picks itself (-displayfd), for one test process.
class PrivateXServer {
public:
    bool start(std::string& why) {
        int fds[2];
        if (pipe(fds) != 0) return fail(why, "no pipe");
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                              "-noreset", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (spawned != 0) {
            close(fds[0]);
            pid_ = 0;
            return fail(why, "Xvfb could not be started (is the xvfb package installed?)");
        }
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) {
            stop();
            return fail(why, "Xvfb started but reported no display within 10 s");
        }
        display_ = ":" + number;
        return true;
    }
    void stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = 0;
    }
    const std::string& display() const { return display_; }

private:
    static bool fail(std::string& why, const char* text) {
        why = text;
        return false;
    }
    pid_t pid_ = 0;
    std::string display_;
};

}  // namespace guitest
