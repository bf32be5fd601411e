#include "platform/linux/DialogMessageBoxes.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace velunor {
namespace {

bool haveDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

void writeToStandardError(const char* text, const char* caption) {
    std::string line;
    if (*caption) line = std::string(caption) + ": ";
    line += text;
    line += '\n';
    // A plain write: no stream state of the host's is touched.
    ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
    (void)ignored;
}

}  // namespace

bool DialogMessageBoxes::startDialog(const char* text, const char* caption) {
    struct Dialog {
        const char* program;
        std::vector<std::string> arguments;
    };
    const Dialog dialogs[] = {
        {"zenity", {"--info", "--no-markup", std::string("--title=") + caption, std::string("--text=") + text}},
        {"kdialog", {"--title", caption, "--msgbox", text}},
        {"xmessage", {"-center", "-title", caption, "-buttons", "OK", "-default", "OK", text}},
    };
    for (const Dialog& dialog : dialogs) {
        std::string executable = ChildProcess::findOnPath(dialog.program);
        if (executable.empty()) continue;
        if (auto process = ChildProcess::spawnDetached(executable, dialog.arguments)) {
            open_.push_back(*process);
            return true;
        }
    }
    return false;
}

void DialogMessageBoxes::show(void* /*parentWindow*/, const char* text, const char* caption) {
    idle();
    if (!text) text = "";
    if (!caption) caption = "";
    if (haveDisplay() && startDialog(text, caption)) return;
    writeToStandardError(text, caption);
}

void DialogMessageBoxes::idle() {
    std::erase_if(open_, [](ChildProcess& p) { return p.pollExit().has_value(); });
}

}  // namespace velunor
