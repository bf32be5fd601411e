#include "tools/velunor-host/HostWindow.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>

namespace velunor::hostcli {
namespace {

// How long the window manager (if any) may take to show the window.
constexpr auto kMapTimeout = std::chrono::seconds(5);

// The deepest window under a point of `top`, and the point in its coordinates.
Window windowAt(Display* display, Window top, int& x, int& y) {
    Window current = top;
    for (;;) {
        int cx = 0, cy = 0;
        Window child = 0;
        if (!XTranslateCoordinates(display, current, current, x, y, &cx, &cy, &child) || child == 0) return current;
        int childX = 0, childY = 0;
        Window ignored = 0;
        XTranslateCoordinates(display, current, child, x, y, &childX, &childY, &ignored);
        current = child;
        x = childX;
        y = childY;
    }
}

void sendButton(Display* display, Window target, int x, int y, bool press) {
    XEvent event{};
    XButtonEvent& b = event.xbutton;
    b.type = press ? ButtonPress : ButtonRelease;
    b.display = display;
    b.window = target;
    b.root = DefaultRootWindow(display);
    b.x = x;
    b.y = y;
    b.button = Button1;
    b.state = press ? 0 : Button1Mask;
    b.same_screen = True;
    b.time = CurrentTime;
    XSendEvent(display, target, True, press ? ButtonPressMask : ButtonReleaseMask, &event);
}

void sendKey(Display* display, Window target, KeyCode code, unsigned int state, bool press) {
    XEvent event{};
    XKeyEvent& k = event.xkey;
    k.type = press ? KeyPress : KeyRelease;
    k.display = display;
    k.window = target;
    k.root = DefaultRootWindow(display);
    k.keycode = code;
    k.state = state;
    k.same_screen = True;
    k.time = CurrentTime;
    XSendEvent(display, target, True, press ? KeyPressMask : KeyReleaseMask, &event);
}

}  // namespace

bool HostWindow::open(int width, int height, const std::string& title, std::string& error) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) {
        error = "cannot open the X display (is DISPLAY set? without a screen, run under xvfb-run)";
        return false;
    }
    width_ = width;
    height_ = height;
    const int screen = DefaultScreen(display_);
    window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), 0, BlackPixel(display_, screen),
                                  BlackPixel(display_, screen));
    if (!window_) {
        error = "cannot create the host window";
        return false;
    }
    XStoreName(display_, window_, title.c_str());
    deleteAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    Atom protocols[] = {deleteAtom_};
    XSetWMProtocols(display_, window_, protocols, 1);
    XSelectInput(display_, window_, StructureNotifyMask);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    hasXTest_ = XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor);
    XMapRaised(display_, window_);
    // The editor's window is made inside ours: ours must be on screen first.
    const auto deadline = std::chrono::steady_clock::now() + kMapTimeout;
    for (;;) {
        XEvent event;
        if (XCheckTypedWindowEvent(display_, window_, MapNotify, &event)) break;
        if (std::chrono::steady_clock::now() > deadline) {
            error = "the host window was not shown within 5 s";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

HostWindow::~HostWindow() {
    if (!display_) return;
    if (window_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

void* HostWindow::nativeHandle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_)); }

void HostWindow::resize(int width, int height) {
    if (width <= 0 || height <= 0 || (width == width_ && height == height_)) return;
    width_ = width;
    height_ = height;
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(display_);
}

bool HostWindow::processEvents() {
    bool open = true;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteAtom_) open = false;
    }
    return open;
}

void HostWindow::click(int x, int y) {
    if (hasXTest_) {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), x, y, &rootX, &rootY, &child);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
        XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    } else {
        int tx = x, ty = y;
        const Window target = windowAt(display_, window_, tx, ty);
        sendButton(display_, target, tx, ty, true);
        sendButton(display_, target, tx, ty, false);
    }
    XFlush(display_);
}

void HostWindow::enterText(const std::string& text) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
    auto key = [&](KeySym sym) {
        const KeyCode code = XKeysymToKeycode(display_, sym);
        if (code == 0) return;  // not on this keyboard
        // The symbol sits on the shifted level of its key ('A', '?').
        const bool shifted = XkbKeycodeToKeysym(display_, code, 0, 0) != sym;
        if (hasXTest_) {
            if (shifted) XTestFakeKeyEvent(display_, shift, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
            if (shifted) XTestFakeKeyEvent(display_, shift, False, CurrentTime);
        } else if (focus != None && focus != PointerRoot) {
            const unsigned int state = shifted ? ShiftMask : 0;
            sendKey(display_, focus, code, state, true);
            sendKey(display_, focus, code, state, false);
        }
    };
    // Printable ASCII characters are their own keysyms.
    for (unsigned char c : text)
        if (c >= 0x20 && c < 0x7f) key(static_cast<KeySym>(c));
    key(XK_Return);
    XFlush(display_);
}

void HostWindow::sync() { XSync(display_, False); }

bool HostWindow::saveScreenshot(const std::string& path, std::string& error) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window_, &attributes) || !attributes.visual ||
        attributes.visual->c_class != TrueColor) {
        error = "the display has no true-colour visual for a screenshot (under Xvfb give the screen a depth "
                "of 24, e.g. xvfb-run -s '-screen 0 1280x1024x24')";
        return false;
    }
    // The server hands out only what lies on the screen: read that part, the rest stays black.
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window_, attributes.root, 0, 0, &rootX, &rootY, &child);
    const int left = std::max(0, -rootX), top = std::max(0, -rootY);
    const int right = std::min(width_, WidthOfScreen(attributes.screen) - rootX);
    const int bottom = std::min(height_, HeightOfScreen(attributes.screen) - rootY);

    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_), &cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = "no memory for the screenshot";
        return false;
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    if (right > left && bottom > top) {
        XImage* image = XGetImage(display_, window_, left, top, static_cast<unsigned>(right - left),
                                  static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
        if (!image) {
            error = "cannot read the window's pixels";
            return false;
        }
        // The visual's masks say where each colour lies in a pixel; scale each to eight bits.
        auto channel = [](unsigned long pixel, unsigned long mask) -> std::uint32_t {
            if (!mask) return 0;
            int shift = 0;
            while (!((mask >> shift) & 1)) ++shift;
            const unsigned long max = mask >> shift;
            return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / max);
        };
        for (int y = top; y < bottom; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
            for (int x = left; x < right; ++x) {
                const unsigned long p = XGetPixel(image, x - left, y - top);
                row[x] = channel(p, image->red_mask) << 16 | channel(p, image->green_mask) << 8 |
                         channel(p, image->blue_mask);
            }
        }
        XDestroyImage(image);
    }
    cairo_surface_mark_dirty(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = "cannot write '" + path + "'";
        return false;
    }
    return true;
}

}  // namespace velunor::hostcli
