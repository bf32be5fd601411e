#pragma once
// The host's own top-level X11 window, the parent a plug-in's editor opens in: it follows the
// editor's size requests, sends clicks to window coordinates (through the XTest extension when
// the server has it, as a user's pointer would, or else as synthesized events to the window under
// the point), types into the focused window, and saves what it shows as a PNG.

#include <string>

using Display = struct _XDisplay;

namespace velunor::hostcli {

class HostWindow {
public:
    // False with a message in `error` when there is no display or the window cannot be made.
    bool open(int width, int height, const std::string& title, std::string& error);
    ~HostWindow();

    // The native window id, for effEditOpen.
    void* nativeHandle() const;
    int width() const { return width_; }
    int height() const { return height_; }
    void resize(int width, int height);
    // Handles what the server sent; false once the user closed the window.
    bool processEvents();
    // A left click at window coordinates.
    void click(int x, int y);
    // Types the text's printable ASCII characters into the window that has the keyboard focus,
    // then presses Return.
    void enterText(const std::string& text);
    // Waits until the server has handled every request, ours and (roughly) the editor's.
    void sync();
    // The window's pixels, children included.
    bool saveScreenshot(const std::string& path, std::string& error);

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    unsigned long deleteAtom_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool hasXTest_ = false;
};

}  // namespace velunor::hostcli
