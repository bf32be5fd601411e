#include "platform/linux/XdgDocumentOpener.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace velunor {
namespace {

// xdg-open's documented exit codes.
constexpr int kXdgSuccess = 0;
constexpr int kXdgFileNotFound = 2;
constexpr int kXdgNoMethod = 3;  // no application available for this document

// "scheme:..." as URLs start; anything else is a file path.
bool isUrl(std::string_view document) {
    std::size_t colon = document.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    if (!std::isalpha(static_cast<unsigned char>(document[0]))) return false;
    return std::all_of(document.begin(), document.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

}  // namespace

int XdgDocumentOpener::resultForExit(int exitCode) {
    switch (exitCode) {
        case kXdgSuccess:
        case ChildProcess::kExitUnknown:
            return shell_result::kStarted;
        case kXdgFileNotFound:
            return shell_result::kFileNotFound;
        case kXdgNoMethod:
            return shell_result::kNoAssociation;
        default:
            return shell_result::kFailed;
    }
}

int XdgDocumentOpener::open(const char* document, const void* owner, void* /*parentWindow*/) {
    reapFinished();
    if (!document || !*document) return shell_result::kFileNotFound;
    std::string argument = document;
    if (!isUrl(argument)) {
        struct stat info {};
        if (::stat(argument.c_str(), &info) != 0) return shell_result::kFileNotFound;
        // xdg-open would take a name starting with '-' for an option.
        if (argument.front() == '-') argument.insert(0, "./");
    }
    const std::string xdgOpen = ChildProcess::findOnPath("xdg-open");
    if (xdgOpen.empty()) return shell_result::kNoAssociation;
    auto process = ChildProcess::spawnDetached(xdgOpen, {argument});
    if (!process) return shell_result::kFailed;
    pending_.push_back(Pending{*process, owner});
    return shell_result::kStarted;
}

void XdgDocumentOpener::reapFinished() {
    std::erase_if(pending_, [this](Pending& p) {
        std::optional<int> exit = p.process.pollExit();
        if (!exit) return false;
        int result = resultForExit(*exit);
        if (p.owner && !shell_result::succeeded(result)) failures_.push_back(Failure{p.owner, result});
        return true;
    });
}

std::optional<int> XdgDocumentOpener::collectFailure(const void* owner) {
    reapFinished();
    auto it = std::find_if(failures_.begin(), failures_.end(), [owner](const Failure& f) { return f.owner == owner; });
    if (it == failures_.end()) return std::nullopt;
    int result = it->result;
    failures_.erase(it);
    return result;
}

void XdgDocumentOpener::forget(const void* owner) {
    for (Pending& p : pending_)
        if (p.owner == owner) p.owner = nullptr;
    std::erase_if(failures_, [owner](const Failure& f) { return f.owner == owner; });
}

}  // namespace velunor
