#include "gui/CFrame.h"

#include "core/BlockClock.h"
#include "gui/CDrawContext.h"
#include "gui/IPlatformFactory.h"

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor) : CViewContainer(size), editor_(editor) {
    setFrame(this);
}

CFrame::CFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor)
    : CFrame(size, editor) {
    open(parentWindow);
}

CFrame::~CFrame() {
    // Without a back buffer the views removed below draw nothing on their way out.
    backContext_.reset();
    platformFrame_.reset();
    closedPlatformFrame_.reset();
    removeAll(true);
}

cairo_surface_t* CFrame::getBackBuffer() const { return backContext_ ? backContext_->getSurface() : nullptr; }

bool CFrame::open(void* parentWindow) {
    if (isOpen()) return false;
    backContext_ = CDrawContext::createOffscreen(getWidth(), getHeight());
    if (!backContext_) return false;
    if (parentWindow) {
        if (IPlatformFactory* factory = getPlatformFactory())
            platformFrame_ = factory->createFrame(*this, CRect(0, 0, getWidth(), getHeight()), parentWindow);
        // Asked for a window and none could be made (no display, a bad window id): not open.
        if (!platformFrame_) {
            backContext_.reset();
            return false;
        }
    }
    redraw(CRect(0, 0, getWidth(), getHeight()));
    return true;
}

void CFrame::close() {
    setFocusView(nullptr);
    mouseView_ = nullptr;
    // Closed first, so that removing the views does not redraw the frame once per view.
    backContext_.reset();
    if (inPlatformEvents_) closedPlatformFrame_ = std::move(platformFrame_);
    platformFrame_.reset();
    removeAll(true);
    forget();
}

uint32 CFrame::getTicks() const { return velunor::tickCountMs(); }

void CFrame::idle() {
    if (!isOpen()) return;
    remember();  // an event handler may close the frame
    if (platformFrame_) {
        inPlatformEvents_ = true;
        platformFrame_->processEvents();
        inPlatformEvents_ = false;
        closedPlatformFrame_.reset();
    }
    if (isOpen() && isDirty()) {
        std::vector<CRect> rects;
        if (CView::isDirty()) rects.emplace_back(0, 0, getWidth(), getHeight());
        else collectDirtyRects(rects);
        // Overlapping rectangles are drawn as one; far-apart views (two needles, a label) each
        // cost only their own area.
        for (std::size_t i = 0; i < rects.size(); ++i) {
            for (std::size_t j = i + 1; j < rects.size();) {
                if (rects[i].rectOverlap(rects[j])) {
                    rects[i].unite(rects[j]);
                    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
                    j = i + 1;
                } else {
                    ++j;
                }
            }
        }
        for (const CRect& r : rects) redraw(r);
        setDirty(false);
    }
    forget();
}

bool CFrame::setSize(CCoord width, CCoord height) {
    if (width <= 0 || height <= 0) return false;
    if (width == getWidth() && height == getHeight()) return true;
    CRect newSize = size_;
    newSize.setWidth(width).setHeight(height);
    size_ = newSize;
    mouseableArea_ = newSize;
    if (isOpen()) {
        if (auto resized = CDrawContext::createOffscreen(width, height)) backContext_ = std::move(resized);
        if (platformFrame_) platformFrame_->setSize(CRect(0, 0, width, height));
        redraw(CRect(0, 0, width, height));
    }
    return true;
}

void CFrame::redraw(const CRect& rect) {
    if (!backContext_) return;
    CRect area = rect;
    area.bound(CRect(0, 0, getWidth(), getHeight()));
    if (area.isEmpty()) return;
    drawing_ = true;
    backContext_->saveGlobalState();
    backContext_->setOffset(CPoint(0, 0));
    backContext_->setClipRect(area);
    // The frame's own background, then the views.
    drawBackgroundRect(backContext_.get(), area);
    drawChildren(backContext_.get(), area);
    backContext_->restoreGlobalState();
    backContext_->flush();
    drawing_ = false;
    if (platformFrame_) platformFrame_->present(*backContext_, area);
    if (!pendingInvalid_.isEmpty()) {
        CRect pending = pendingInvalid_;
        pendingInvalid_ = CRect();
        redraw(pending);
    }
}

void CFrame::invalidFrameRect(const CRect& rect) {
    if (drawing_) {
        pendingInvalid_.unite(rect);
        return;
    }
    redraw(rect);
}

void CFrame::onViewRemoved(CView* view) {
    if (focusView_ == view) setFocusView(nullptr);
    if (mouseView_ == view) mouseView_ = nullptr;
    for (CView* v = view->getParentView(); v; v = v->getParentView()) {
        if (auto* container = dynamic_cast<CViewContainer*>(v)) container->clearMouseDownView(view);
    }
}

void CFrame::setFocusView(CView* view) {
    if (view == focusView_) return;
    CView* old = focusView_;
    focusView_ = view;
    if (old) old->looseFocus();
    if (focusView_) focusView_->takeFocus();
}

int32 CFrame::onKeyDown(VstKeyCode& key) { return focusView_ ? focusView_->onKeyDown(key) : -1; }
int32 CFrame::onKeyUp(VstKeyCode& key) { return focusView_ ? focusView_->onKeyUp(key) : -1; }

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
    // A click elsewhere takes the focus away from the view that has it (an edit box ends).
    if (focusView_) {
        CPoint local = focusView_->frameToLocal(where);
        if (!focusView_->hitTest(local, buttons)) setFocusView(nullptr);
    }
    buttonDown_ = true;
    CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    if (result != kMouseEventHandled) buttonDown_ = false;
    return result;
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons) {
    CMouseEventResult result = CViewContainer::onMouseUp(where, buttons);
    buttonDown_ = false;
    checkMouseView(where, buttons);
    return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (buttonDown_ && getMouseDownView()) return CViewContainer::onMouseMoved(where, buttons);
    buttonDown_ = false;
    checkMouseView(where, buttons);
    // Hover: the view under the pointer sees the moves while no button is held.
    if (CView* view = getViewAt(where, true, true)) {
        CPoint local = view->frameToLocal(where);
        return view->onMouseMoved(local, buttons);
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CFrame::onMouseExited(CPoint& where, const CButtonState& buttons) {
    if (mouseView_) {
        CView* view = mouseView_;
        mouseView_ = nullptr;
        CPoint local = view->frameToLocal(where);
        view->onMouseExited(local, buttons);
    }
    return kMouseEventHandled;
}

void CFrame::checkMouseView(const CPoint& where, const CButtonState& buttons) {
    CView* view = getViewAt(where, true, true);
    if (view == mouseView_) return;
    if (CView* old = mouseView_) {
        mouseView_ = nullptr;
        CPoint local = old->frameToLocal(where);
        old->onMouseExited(local, buttons);
    }
    mouseView_ = view;
    if (view) {
        CPoint local = view->frameToLocal(where);
        view->onMouseEntered(local, buttons);
    }
}

bool CFrame::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                     const CButtonState& buttons) {
    if (buttonDown_) return false;
    return CViewContainer::onWheel(where, axis, distance, buttons);
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint where, const CButtonState& buttons) {
    if (!isOpen()) return kMouseEventNotHandled;
    return onMouseDown(where, buttons);
}
CMouseEventResult CFrame::platformOnMouseUp(CPoint where, const CButtonState& buttons) {
    if (!isOpen()) return kMouseEventNotHandled;
    return onMouseUp(where, buttons);
}
CMouseEventResult CFrame::platformOnMouseMoved(CPoint where, const CButtonState& buttons) {
    if (!isOpen()) return kMouseEventNotHandled;
    return onMouseMoved(where, buttons);
}
CMouseEventResult CFrame::platformOnMouseExited(CPoint where, const CButtonState& buttons) {
    if (!isOpen()) return kMouseEventNotHandled;
    return onMouseExited(where, buttons);
}
bool CFrame::platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                  const CButtonState& buttons) {
    return isOpen() && onWheel(where, axis, distance, buttons);
}
int32 CFrame::platformOnKeyDown(VstKeyCode& key) { return isOpen() ? onKeyDown(key) : -1; }
int32 CFrame::platformOnKeyUp(VstKeyCode& key) { return isOpen() ? onKeyUp(key) : -1; }

void CFrame::platformOnExpose(const CRect& area) {
    if (platformFrame_ && backContext_) platformFrame_->present(*backContext_, area);
}

void CFrame::platformOnFocusChanged(bool hasFocus) {
    // The window lost the keyboard: the view that had it loses it too (an edit box accepts).
    if (!hasFocus) setFocusView(nullptr);
}
