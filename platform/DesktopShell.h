#pragma once
// What the editor asks of the desktop: open a document with the application the user chose for it,
// and tell the user something in a message box. Each operating system's folder fills these in; the
// editor only sees the two interfaces and the shell's result codes.
//
// Neither call may keep the host's user-interface thread waiting: an opener that learns only later
// whether the document opened reports that through collectFailure at a later idle, and a message
// box is shown beside the host's window, not modally over it. Both are used from the host's
// user-interface thread only.

#include <optional>

namespace velunor {

// The shell's answers, numbered as ShellExecute numbers them: anything above 32 means the document
// is being opened.
namespace shell_result {
constexpr int kFailed = 0;          // could not be started for another reason
constexpr int kFileNotFound = 2;    // empty path, or no such file
constexpr int kNoAssociation = 31;  // no application opens this kind of document
constexpr int kStarted = 33;
constexpr bool succeeded(int result) { return result > 32; }
}  // namespace shell_result

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // `document` is a path or a URL in UTF-8. `owner` names the caller that wants to hear about a
    // late failure; `parentWindow` is the native window to open over, or null.
    virtual int open(const char* document, const void* owner, void* parentWindow) = 0;
    // A failure result for `owner` that became known since the last call, one per call.
    virtual std::optional<int> collectFailure(const void* owner) = 0;
    // `owner` goes away: its pending opens finish unreported.
    virtual void forget(const void* owner) = 0;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // An information box with one OK button. Texts are UTF-8; an empty caption is allowed.
    virtual void show(void* parentWindow, const char* text, const char* caption) = 0;
    // Lets boxes that were closed release what they hold. Called at the editor's idle.
    virtual void idle() {}
};

// The process-wide implementations: the platform's own unless a test installed another. Set null
// to return to the platform's.
DocumentOpener& documentOpener();
void setDocumentOpener(DocumentOpener* opener);
MessageBoxes& messageBoxes();
void setMessageBoxes(MessageBoxes* boxes);

}  // namespace velunor
