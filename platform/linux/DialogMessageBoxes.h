#pragma once
// Message boxes through the desktop's dialog programs: zenity, kdialog or xmessage, whichever PATH
// offers first, started detached so that the host's user-interface thread goes on while the box
// is up. Without a display or any of them the message goes to standard error.

#include <vector>

#include "platform/DesktopShell.h"
#include "platform/linux/ChildProcess.h"

namespace velunor {

class DialogMessageBoxes final : public MessageBoxes {
public:
    void show(void* parentWindow, const char* text, const char* caption) override;
    void idle() override;

private:
    bool startDialog(const char* text, const char* caption);
    std::vector<ChildProcess> open_;
};

}  // namespace velunor
