#include "platform/linux/X11Frame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>

#include <cmath>
#include <cstdlib>

#include "gui/CDrawContext.h"
#include "gui/VirtualKeys.h"

namespace velunor::platform {
namespace {

// Xlib's default error handler ends the process; the host's process must survive a bad window id
// or a parent that died first. The handler is swapped in only around the calls that may fail.
int gTrappedErrors = 0;
int ignoreError(Display*, XErrorEvent*) {
    ++gTrappedErrors;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        gTrappedErrors = 0;
        previous_ = XSetErrorHandler(&ignoreError);
    }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server's answers to everything sent so far.
    bool failed() {
        XSync(display_, False);
        return gTrappedErrors != 0;
    }

private:
    Display* display_;
    XErrorHandler previous_;
};

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                            StructureNotifyMask | FocusChangeMask;

// X wheel buttons: 4 up, 5 down, 6 left, 7 right.
constexpr unsigned int kWheelUp = 4, kWheelDown = 5, kWheelLeft = 6, kWheelRight = 7;

unsigned char virtualKeyOf(KeySym sym) {
    switch (sym) {
        case XK_BackSpace: return VKEY_BACK;
        case XK_Tab: case XK_ISO_Left_Tab: return VKEY_TAB;
        case XK_Clear: return VKEY_CLEAR;
        case XK_Return: return VKEY_RETURN;
        case XK_Pause: return VKEY_PAUSE;
        case XK_Escape: return VKEY_ESCAPE;
        case XK_space: return VKEY_SPACE;
        case XK_End: case XK_KP_End: return VKEY_END;
        case XK_Home: case XK_KP_Home: return VKEY_HOME;
        case XK_Left: case XK_KP_Left: return VKEY_LEFT;
        case XK_Up: case XK_KP_Up: return VKEY_UP;
        case XK_Right: case XK_KP_Right: return VKEY_RIGHT;
        case XK_Down: case XK_KP_Down: return VKEY_DOWN;
        case XK_Page_Up: case XK_KP_Page_Up: return VKEY_PAGEUP;
        case XK_Page_Down: case XK_KP_Page_Down: return VKEY_PAGEDOWN;
        case XK_Select: return VKEY_SELECT;
        case XK_Print: return VKEY_PRINT;
        case XK_KP_Enter: return VKEY_ENTER;
        case XK_Insert: case XK_KP_Insert: return VKEY_INSERT;
        case XK_Delete: case XK_KP_Delete: return VKEY_DELETE;
        case XK_Help: return VKEY_HELP;
        case XK_Num_Lock: return VKEY_NUMLOCK;
        case XK_Scroll_Lock: return VKEY_SCROLL;
        case XK_Shift_L: case XK_Shift_R: return VKEY_SHIFT;
        case XK_Control_L: case XK_Control_R: return VKEY_CONTROL;
        case XK_Alt_L: case XK_Alt_R: return VKEY_ALT;
        default: break;
    }
    if (sym >= XK_F1 && sym <= XK_F12) return static_cast<unsigned char>(VKEY_F1 + (sym - XK_F1));
    return 0;
}

// Decodes the first UTF-8 sequence of `text`; 0 when there is none or it is malformed.
std::int32_t firstCodePoint(const char* text, int length) {
    if (length <= 0) return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    int extra = s[0] < 0x80 ? 0 : (s[0] >> 5) == 6 ? 1 : (s[0] >> 4) == 14 ? 2 : (s[0] >> 3) == 30 ? 3 : -1;
    if (extra < 0 || extra >= length) return 0;
    std::int32_t cp = extra == 0 ? s[0] : s[0] & (0x3f >> extra);
    for (int i = 1; i <= extra; ++i) {
        if ((s[i] & 0xc0) != 0x80) return 0;
        cp = (cp << 6) | (s[i] & 0x3f);
    }
    return cp;
}

// Without an input method: the keysyms that carry their code point directly.
std::int32_t codePointOfKeySym(KeySym sym) {
    if ((sym >= 0x20 && sym <= 0x7e) || (sym >= 0xa0 && sym <= 0xff)) return static_cast<std::int32_t>(sym);
    if ((sym & 0xff000000) == 0x01000000) return static_cast<std::int32_t>(sym & 0x00ffffff);
    return 0;
}

}  // namespace

std::unique_ptr<X11Frame> X11Frame::create(IPlatformFrameCallback& callback, const CRect& size,
                                           unsigned long parent) {
    if (!parent) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<X11Frame> frame(new X11Frame(callback, display));
    if (!frame->build(size, parent)) return nullptr;
    return frame;
}

X11Frame::X11Frame(IPlatformFrameCallback& callback, Display* display) : callback_(callback), display_(display) {}

bool X11Frame::build(const CRect& size, unsigned long parent) {
    width_ = std::max(1, static_cast<int>(size.getWidth()));
    height_ = std::max(1, static_cast<int>(size.getHeight()));
    ErrorTrap trap(display_);
    XWindowAttributes parentAttributes{};
    if (!XGetWindowAttributes(display_, parent, &parentAttributes) || trap.failed()) return false;

    XSetWindowAttributes attributes{};
    // No background: the server must not clear the window before we paint it.
    attributes.background_pixmap = None;
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = kEventMask;
    attributes.colormap = parentAttributes.colormap;
    window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width_), static_cast<unsigned>(height_), 0,
                            parentAttributes.depth, InputOutput, parentAttributes.visual,
                            CWBackPixmap | CWBitGravity | CWEventMask | CWColormap, &attributes);
    if (trap.failed()) {
        window_ = 0;
        return false;
    }
    Visual* visual = parentAttributes.visual;
    visual_ = visual;
    depth_ = parentAttributes.depth;
    const bool sameLayout = (depth_ == 24 || depth_ == 32) && visual->red_mask == 0xff0000 &&
                            visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
    if (sameLayout) gc_ = XCreateGC(display_, window_, 0, nullptr);
    else windowSurface_ = cairo_xlib_surface_create(display_, window_, visual, width_, height_);

    inputMethod_ = XOpenIM(display_, nullptr, nullptr, nullptr);
    if (inputMethod_) {
        inputContext_ = XCreateIC(inputMethod_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                                  window_, XNFocusWindow, window_, nullptr);
    }
    XMapWindow(display_, window_);
    XFlush(display_);
    return true;
}

X11Frame::~X11Frame() {
    if (windowSurface_) {
        cairo_surface_finish(windowSurface_);
        cairo_surface_destroy(windowSurface_);
    }
    if (gc_) XFreeGC(display_, gc_);
    if (inputContext_) XDestroyIC(inputContext_);
    if (inputMethod_) XCloseIM(inputMethod_);
    if (window_) {
        // The host may have destroyed its window, and ours with it, already.
        ErrorTrap trap(display_);
        XDestroyWindow(display_, window_);
        trap.failed();
    }
    XCloseDisplay(display_);
}

void* X11Frame::getNativeHandle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_)); }

void X11Frame::processEvents() {
    if (!window_) return;
    // XPending reads what has arrived and never waits.
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (XFilterEvent(&event, None)) continue;
        handleEvent(event);
        if (!window_) break;
    }
}

void X11Frame::present(CDrawContext& backBuffer, const CRect& area) {
    if (!window_) return;
    cairo_surface_t* source = backBuffer.getSurface();
    if (gc_) {
        backBuffer.flush();
        const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
        CRect part = area;
        part.bound(CRect(0, 0, std::min(w, width_), std::min(h, height_)));
        if (part.isEmpty()) return;
        XImage* image = XCreateImage(display_, static_cast<Visual*>(visual_), static_cast<unsigned>(depth_), ZPixmap, 0,
                                     reinterpret_cast<char*>(cairo_image_surface_get_data(source)),
                                     static_cast<unsigned>(w), static_cast<unsigned>(h), 32,
                                     cairo_image_surface_get_stride(source));
        if (!image) return;
        // cairo's pixels are native-endian 32-bit words; Xlib converts them for the server.
        image->byte_order = (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) ? LSBFirst : MSBFirst;
        const int x = static_cast<int>(std::floor(part.left)), y = static_cast<int>(std::floor(part.top));
        XPutImage(display_, window_, gc_, image, x, y, x, y,
                  static_cast<unsigned>(std::ceil(part.right) - x), static_cast<unsigned>(std::ceil(part.bottom) - y));
        image->data = nullptr;  // the pixels stay the back buffer's
        XDestroyImage(image);
    } else if (windowSurface_) {
        cairo_t* cr = cairo_create(windowSurface_);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, source, 0, 0);
        cairo_rectangle(cr, area.left, area.top, area.getWidth(), area.getHeight());
        cairo_fill(cr);
        cairo_destroy(cr);
        cairo_surface_flush(windowSurface_);
    }
    XFlush(display_);
}

bool X11Frame::setSize(const CRect& size) {
    if (!window_) return false;
    width_ = std::max(1, static_cast<int>(size.getWidth()));
    height_ = std::max(1, static_cast<int>(size.getHeight()));
    XResizeWindow(display_, window_, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    if (windowSurface_) cairo_xlib_surface_set_size(windowSurface_, width_, height_);
    XFlush(display_);
    return true;
}

bool X11Frame::takeKeyboardFocus() {
    if (!window_) return false;
    ErrorTrap trap(display_);  // fails while the window is not viewable
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    return !trap.failed();
}

int32 X11Frame::buttonState(unsigned int xState) const {
    int32 state = 0;
    if (xState & Button1Mask) state |= kLButton;
    if (xState & Button2Mask) state |= kMButton;
    if (xState & Button3Mask) state |= kRButton;
    if (xState & ShiftMask) state |= kShift;
    if (xState & ControlMask) state |= kControl;
    if (xState & Mod1Mask) state |= kAlt;
    return state;
}

void X11Frame::handleEvent(XEvent& event) {
    switch (event.type) {
        case Expose: {
            CRect r(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                    event.xexpose.y + event.xexpose.height);
            exposed_.unite(r);
            if (event.xexpose.count == 0) {
                CRect area = exposed_;
                exposed_ = CRect();
                callback_.platformOnExpose(area);
            }
            break;
        }
        case ButtonPress: handleButton(event, true); break;
        case ButtonRelease: handleButton(event, false); break;
        case MotionNotify:
            callback_.platformOnMouseMoved(CPoint(event.xmotion.x, event.xmotion.y), buttonState(event.xmotion.state));
            break;
        case EnterNotify:
            callback_.platformOnMouseMoved(CPoint(event.xcrossing.x, event.xcrossing.y),
                                           buttonState(event.xcrossing.state));
            break;
        case LeaveNotify:
            // Grabs moving the pointer in and out are not the pointer leaving.
            if (event.xcrossing.mode == NotifyNormal)
                callback_.platformOnMouseExited(CPoint(event.xcrossing.x, event.xcrossing.y),
                                                buttonState(event.xcrossing.state));
            break;
        case KeyPress: handleKey(event, true); break;
        case KeyRelease: handleKey(event, false); break;
        case FocusIn:
            if (inputContext_) XSetICFocus(inputContext_);
            callback_.platformOnFocusChanged(true);
            break;
        case FocusOut:
            if (inputContext_) XUnsetICFocus(inputContext_);
            // A keyboard grab (a window manager's switcher) or the pointer moving is no real loss.
            if (event.xfocus.mode != NotifyGrab && event.xfocus.detail != NotifyPointer)
                callback_.platformOnFocusChanged(false);
            break;
        case MappingNotify:
            // The keyboard layout changed: look keys up in the new one.
            if (event.xmapping.request != MappingPointer) XRefreshKeyboardMapping(&event.xmapping);
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == window_) window_ = 0;
            break;
        default: break;
    }
}

void X11Frame::handleButton(XEvent& xevent, bool press) {
    const XButtonEvent& event = xevent.xbutton;
    const CPoint where(event.x, event.y);
    int32 state = buttonState(event.state);
    if (event.button >= kWheelUp && event.button <= kWheelRight) {
        if (!press) return;
        const CMouseWheelAxis axis = event.button <= kWheelDown ? kMouseWheelAxisY : kMouseWheelAxisX;
        const float distance = (event.button == kWheelUp || event.button == kWheelRight) ? 1.0f : -1.0f;
        callback_.platformOnMouseWheel(where, axis, distance, state & ~kMouseButtonMask);
        return;
    }
    const int32 bit = event.button == Button1 ? kLButton : event.button == Button2 ? kMButton
                    : event.button == Button3 ? kRButton : 0;
    if (!bit) return;
    if (!press) {
        // The state holds the buttons before this release.
        callback_.platformOnMouseUp(where, (state & ~kMouseButtonMask) | bit);
        return;
    }
    state |= bit;
    const bool isDouble = !lastPressWasDouble_ && event.button == lastPressButton_ &&
                          event.time - lastPressTime_ <= kDoubleClickTimeMs &&
                          std::abs(event.x - lastPressX_) <= kDoubleClickDistance &&
                          std::abs(event.y - lastPressY_) <= kDoubleClickDistance;
    if (isDouble) state |= kDoubleClick;
    lastPressWasDouble_ = isDouble;
    lastPressTime_ = event.time;
    lastPressX_ = event.x;
    lastPressY_ = event.y;
    lastPressButton_ = event.button;
    callback_.platformOnMouseDown(where, state);
}

void X11Frame::handleKey(XEvent& xevent, bool press) {
    XKeyEvent& event = xevent.xkey;
    char text[32] = {0};
    KeySym sym = NoSymbol;
    int length = 0;
    std::int32_t codePoint = 0;
    if (press && inputContext_) {
        Status status = 0;
        length = Xutf8LookupString(inputContext_, &event, text, sizeof text - 1, &sym, &status);
        if (status == XBufferOverflow || status == XLookupNone) length = 0;
        if (status == XLookupChars || status == XLookupBoth) codePoint = firstCodePoint(text, length);
        if (status == XLookupChars) sym = NoSymbol;
    }
    if (sym == NoSymbol) {
        length = XLookupString(&event, text, sizeof text - 1, &sym, nullptr);
        if (!codePoint) codePoint = codePointOfKeySym(sym);
    }
    VstKeyCode key{};
    key.virt = virtualKeyOf(sym);
    // Keys that type nothing (arrows, Return, Escape...) carry only their virtual code.
    key.character = (key.virt && key.virt != VKEY_SPACE) ? 0 : codePoint;
    if (event.state & ShiftMask) key.modifier |= MODIFIER_SHIFT;
    if (event.state & Mod1Mask) key.modifier |= MODIFIER_ALTERNATE;
    if (event.state & ControlMask) key.modifier |= MODIFIER_CONTROL;
    if (!key.virt && !key.character) return;
    if (press) callback_.platformOnKeyDown(key);
    else callback_.platformOnKeyUp(key);
}

}  // namespace velunor::platform
