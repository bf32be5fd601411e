// The desktop shell of the process on Linux: xdg-open and the dialog programs, unless a test put
// its own in their place.
#include <atomic>

#include "platform/linux/DialogMessageBoxes.h"
#include "platform/linux/XdgDocumentOpener.h"

namespace velunor {
namespace {
std::atomic<DocumentOpener*> gOpener{nullptr};
std::atomic<MessageBoxes*> gBoxes{nullptr};
}  // namespace

DocumentOpener& documentOpener() {
    static XdgDocumentOpener platformOpener;
    DocumentOpener* installed = gOpener.load(std::memory_order_relaxed);
    return installed ? *installed : platformOpener;
}

void setDocumentOpener(DocumentOpener* opener) { gOpener.store(opener, std::memory_order_relaxed); }

MessageBoxes& messageBoxes() {
    static DialogMessageBoxes platformBoxes;
    MessageBoxes* installed = gBoxes.load(std::memory_order_relaxed);
    return installed ? *installed : platformBoxes;
}

void setMessageBoxes(MessageBoxes* boxes) { gBoxes.store(boxes, std::memory_order_relaxed); }

}  // namespace velunor
