#pragma once
// The editor's native window on Linux: a child of the host's window on a display connection of
// its own, so that nothing we do can disturb the host's. Nothing runs between host calls: the
// frame's idle drains the queued events without waiting and the back buffer is copied in on
// expose, so a redraw never flickers.

#include <memory>

#include "gui/IPlatformFrame.h"

using Display = struct _XDisplay;
struct _XIM;
struct _XIC;
struct _XGC;
union _XEvent;
using cairo_surface_t = struct _cairo_surface;

namespace velunor::platform {

class X11Frame : public IPlatformFrame {
public:
    // Null when there is no display, or `parent` is not a window on it.
    static std::unique_ptr<X11Frame> create(IPlatformFrameCallback& callback, const CRect& size,
                                            unsigned long parent);
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    void processEvents() override;
    void present(CDrawContext& backBuffer, const CRect& area) override;
    bool setSize(const CRect& size) override;
    bool takeKeyboardFocus() override;
    // The X11 window id.
    void* getNativeHandle() const override;

    Display* getDisplay() const { return display_; }

private:
    X11Frame(IPlatformFrameCallback& callback, Display* display);
    bool build(const CRect& size, unsigned long parent);
    void handleEvent(_XEvent& event);
    void handleButton(_XEvent& event, bool press);
    void handleKey(_XEvent& event, bool press);
    int32 buttonState(unsigned int xState) const;

    IPlatformFrameCallback& callback_;
    Display* display_;
    unsigned long window_ = 0;
    ::_XIM* inputMethod_ = nullptr;
    ::_XIC* inputContext_ = nullptr;
    // The back buffer goes to the window with XPutImage when the window's pixels are laid out as
    // cairo's (24-bit true colour, the usual case), otherwise through a cairo surface on it.
    ::_XGC* gc_ = nullptr;
    void* visual_ = nullptr;  // the window's Visual
    int depth_ = 0;
    cairo_surface_t* windowSurface_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    // The last press, for double clicks.
    unsigned long lastPressTime_ = 0;
    int lastPressX_ = 0;
    int lastPressY_ = 0;
    unsigned int lastPressButton_ = 0;
    bool lastPressWasDouble_ = false;
    CRect exposed_;
};

}  // namespace velunor::platform
