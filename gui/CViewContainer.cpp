#include "gui/CViewContainer.h"

#include <algorithm>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer() { removeAll(true); }

bool CViewContainer::addView(CView* view) {
    if (!view || isChild(view) || view->getParentView()) return false;
    children_.push_back(view);
    view->setParentView(this);
    if (getFrame()) {
        view->attached(this);
        view->invalid();
    }
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
    auto it = std::find(children_.begin(), children_.end(), view);
    if (it == children_.end()) return false;
    view->invalid();
    children_.erase(it);
    if (mouseDownView_ == view) mouseDownView_ = nullptr;
    if (view->getFrame()) view->removed(this);
    view->setParentView(nullptr);
    if (withForget) view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget) {
    while (!children_.empty()) removeView(children_.back(), withForget);
    return true;
}

bool CViewContainer::isChild(const CView* view) const {
    return std::find(children_.begin(), children_.end(), view) != children_.end();
}

CView* CViewContainer::getView(int32 index) const {
    return index >= 0 && index < getNbViews() ? children_[static_cast<std::size_t>(index)] : nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep, bool mouseEnabledOnly) const {
    const CPoint local = where - getLocalOrigin();
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        CView* v = *it;
        if (!v->isVisible() || !v->getViewSize().pointInside(local)) continue;
        if (mouseEnabledOnly && !v->getMouseEnabled()) continue;
        if (deep) {
            if (auto* container = dynamic_cast<CViewContainer*>(v)) {
                if (CView* inner = container->getViewAt(local, true, mouseEnabledOnly)) return inner;
            }
        }
        return v;
    }
    return nullptr;
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size_); }

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& updateRect) {
    if (CBitmap* background = getBackground()) {
        CRect local(0, 0, getWidth(), getHeight());
        background->draw(context, local, backgroundOffset_, getAlphaValue());
    } else if (!getTransparency()) {
        context->setFillColor(backgroundColor_);
        CRect area = updateRect;
        context->drawRect(area.bound(CRect(0, 0, getWidth(), getHeight())), kDrawFilled);
    }
}

void CViewContainer::drawChildren(CDrawContext* context, const CRect& updateRect) {
    for (CView* v : children_) {
        if (!v->isVisible()) continue;
        CRect area = v->getViewSize();
        if (!area.rectOverlap(updateRect)) continue;
        area.bound(updateRect);
        context->saveGlobalState();
        context->setClipRect(area);
        v->drawRect(context, area);
        context->restoreGlobalState();
    }
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    // updateRect is in the parent's coordinates; from here on everything is in our own.
    const CPoint origin = getLocalOrigin();
    CRect local = updateRect;
    local.offset(-origin.x, -origin.y);
    context->saveGlobalState();
    context->setOffset(context->getOffset() + origin);
    context->setClipRect(local.bound(CRect(0, 0, getWidth(), getHeight())));
    drawBackgroundRect(context, local);
    drawChildren(context, local);
    context->restoreGlobalState();
    setDirty(false);
}

bool CViewContainer::isDirty() const {
    if (CView::isDirty()) return true;
    return std::any_of(children_.begin(), children_.end(),
                       [](const CView* v) { return v->isVisible() && v->isDirty(); });
}

void CViewContainer::collectDirtyRects(std::vector<CRect>& rects) const {
    const CPoint origin = localToFrame(CPoint(0, 0)) + getLocalOrigin();
    for (CView* v : children_) {
        if (!v->isVisible()) {
            v->setDirty(false);
            continue;
        }
        if (v->CView::isDirty()) {
            CRect r = v->getViewSize();
            rects.push_back(r.offset(origin.x, origin.y));
        } else if (auto* container = dynamic_cast<CViewContainer*>(v)) {
            container->collectDirtyRects(rects);
        } else if (v->isDirty()) {
            CRect r = v->getViewSize();
            rects.push_back(r.offset(origin.x, origin.y));
        }
    }
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
    const CPoint local = where - getLocalOrigin();
    // A copy: a handler may add or remove views.
    std::vector<CView*> candidates(children_.rbegin(), children_.rend());
    for (CView* v : candidates) {
        if (!isChild(v) || !v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons)) continue;
        CPoint p = local;
        // The handler may remove the view, or close the whole frame.
        v->remember();
        CMouseEventResult result = v->onMouseDown(p, buttons);
        const bool stillChild = isChild(v);
        const bool transparent = v->getTransparency();
        v->forget();
        if (result != kMouseEventNotHandled && result != kMouseEventNotImplemented) {
            if (result == kMouseEventHandled && stillChild) mouseDownView_ = v;
            return result;
        }
        if (!transparent || !stillChild) return kMouseEventNotHandled;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
    CView* view = mouseDownView_;
    if (!view) return kMouseEventNotHandled;
    view->remember();
    CPoint p = where - getLocalOrigin();
    CMouseEventResult result = view->onMouseUp(p, buttons);
    mouseDownView_ = nullptr;
    view->forget();
    return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    CView* view = mouseDownView_;
    if (!view) return kMouseEventNotHandled;
    CPoint p = where - getLocalOrigin();
    CMouseEventResult result = view->onMouseMoved(p, buttons);
    if (result != kMouseEventHandled && result != kMouseEventNotImplemented && mouseDownView_ == view) {
        // The view wants no more of this gesture.
        if (result == kMouseEventNotHandled) mouseDownView_ = nullptr;
    }
    return result;
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                             const CButtonState& buttons) {
    const CPoint local = where - getLocalOrigin();
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        CView* v = *it;
        if (!v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons)) continue;
        return v->onWheel(local, axis, distance, buttons);
    }
    return false;
}

bool CViewContainer::attached(CView* parent) {
    CView::attached(parent);
    for (CView* v : children_) v->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent) {
    mouseDownView_ = nullptr;
    for (CView* v : children_) {
        if (v->getFrame()) v->removed(this);
        v->setParentView(this);
    }
    return CView::removed(parent);
}

void CViewContainer::clearMouseDownView(const CView* view) {
    if (mouseDownView_ == view) mouseDownView_ = nullptr;
}
