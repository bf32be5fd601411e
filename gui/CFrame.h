#pragma once
// The root view: it lives on a native window (a child of the host's window) or offscreen, and
// always draws into a back buffer of its own size, which the window shows. It routes the mouse,
// the wheel and the keys, tracks the view under the pointer, and at idle redraws what is dirty.

#include <memory>
#include <vector>

#include "gui/CViewContainer.h"
#include "gui/IPlatformFrame.h"
#include "gui/VSTGUIEditorInterface.h"

using cairo_surface_t = struct _cairo_surface;

class CDrawContext;

class CFrame : public CViewContainer, public IPlatformFrameCallback {
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    // Opens at once: on `parentWindow`, or offscreen when it is null. See isOpen.
    CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    // Builds the back buffer and, with a parent window, the native window; false when a window
    // was asked for and could not be made.
    bool open(void* parentWindow);
    // Removes and releases every view, destroys the window and releases the frame itself.
    void close();
    bool isOpen() const { return backContext_ != nullptr; }
    bool isOffscreen() const { return !platformFrame_; }

    // Handles pending window events, then redraws every dirty view.
    virtual void idle();
    // Resizes the frame, its back buffer and its window (the host's window is the editor's job).
    bool setSize(CCoord width, CCoord height);

    VSTGUIEditorInterface* getEditor() const { return editor_; }
    int32 getKnobMode() const { return editor_ ? editor_->getKnobMode() : kCircularMode; }
    // The same millisecond clock that stamps the audio blocks.
    uint32 getTicks() const;
    IPlatformFrame* getPlatformFrame() const { return platformFrame_.get(); }

    // Keyboard focus: the view that receives the keys.
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView_; }
    int32 onKeyDown(VstKeyCode& key) override;
    int32 onKeyUp(VstKeyCode& key) override;

    // The view under the pointer, for enter/exit.
    CView* getMouseView() const { return mouseView_; }

    // Redraws `rect` (frame coordinates) into the back buffer now and shows it.
    void invalidFrameRect(const CRect& rect);
    void invalid() override { invalidFrameRect(CRect(0, 0, getWidth(), getHeight())); }
    // A view somewhere below is going away: drop every pointer to it.
    void onViewRemoved(CView* view);

    CPoint getLocalOrigin() const override { return CPoint(0, 0); }
    // The picture, for tests and for the window.
    cairo_surface_t* getBackBuffer() const;
    CDrawContext* getBackBufferContext() const { return backContext_.get(); }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    using CViewContainer::onWheel;

    // What the native window reports; tests call these to send synthetic input.
    CMouseEventResult platformOnMouseDown(CPoint where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseUp(CPoint where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseMoved(CPoint where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseExited(CPoint where, const CButtonState& buttons) override;
    bool platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                              const CButtonState& buttons) override;
    int32 platformOnKeyDown(VstKeyCode& key) override;
    int32 platformOnKeyUp(VstKeyCode& key) override;
    void platformOnExpose(const CRect& area) override;
    void platformOnFocusChanged(bool hasFocus) override;

    VELUNOR_CLASS_METHODS_NOCOPY(CFrame, CViewContainer)

private:
    void redraw(const CRect& rect);
    void checkMouseView(const CPoint& where, const CButtonState& buttons);

    VSTGUIEditorInterface* editor_;
    std::unique_ptr<IPlatformFrame> platformFrame_;
    // A window closed by one of its own events lives until its event loop has returned.
    std::unique_ptr<IPlatformFrame> closedPlatformFrame_;
    bool inPlatformEvents_ = false;
    std::unique_ptr<CDrawContext> backContext_;
    CView* focusView_ = nullptr;
    CView* mouseView_ = nullptr;
    bool buttonDown_ = false;
    bool drawing_ = false;
    CRect pendingInvalid_;
};
