#pragma once
// Opens documents with xdg-open, the desktop's "open with the preferred application". xdg-open
// may not return until the viewer is closed, so it is started detached and the call answers at
// once; what xdg-open finally says is collected at a later idle.

#include <vector>

#include "platform/DesktopShell.h"
#include "platform/linux/ChildProcess.h"

namespace velunor {

class XdgDocumentOpener final : public DocumentOpener {
public:
    int open(const char* document, const void* owner, void* parentWindow) override;
    std::optional<int> collectFailure(const void* owner) override;
    void forget(const void* owner) override;

    // xdg-open processes not yet collected.
    std::size_t runningCount() const { return pending_.size(); }

    // The shell result for an xdg-open exit code.
    static int resultForExit(int exitCode);

private:
    struct Pending {
        ChildProcess process;
        const void* owner;
    };
    struct Failure {
        const void* owner;
        int result;
    };
    void reapFinished();

    std::vector<Pending> pending_;
    std::vector<Failure> failures_;
};

}  // namespace velunor
