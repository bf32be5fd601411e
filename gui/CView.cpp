#include "gui/CView.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"
#include "gui/CViewContainer.h"

CView::CView(const CRect& size) : size_(size), mouseableArea_(size) {}

CView::CView(const CView& other)
    : CBaseObject(other),
      size_(other.size_),
      mouseableArea_(other.mouseableArea_),
      dirty_(false),
      visible_(other.visible_),
      mouseEnabled_(other.mouseEnabled_),
      transparent_(other.transparent_),
      alpha_(other.alpha_) {
    setBackground(other.background_);
}

CView::~CView() {
    if (background_) background_->forget();
}

void CView::draw(CDrawContext* context) {
    if (background_) background_->draw(context, size_, CPoint(0, 0), alpha_);
    setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) { draw(context); }

void CView::invalid() {
    setDirty(false);
    invalidRect(size_);
}

void CView::invalidRect(const CRect& rect) {
    if (!frame_ || !parent_) return;
    CRect inFrame = rect;
    CPoint origin = localToFrame(CPoint(0, 0));
    inFrame.offset(origin.x, origin.y);
    frame_->invalidFrameRect(inFrame);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) { return kMouseEventNotImplemented; }

bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons) {
    return axis == kMouseWheelAxisY && onWheel(where, distance, buttons);
}

bool CView::hitTest(const CPoint& where, const CButtonState&) { return mouseableArea_.pointInside(where); }

int32 CView::onKeyDown(VstKeyCode&) { return -1; }
int32 CView::onKeyUp(VstKeyCode&) { return -1; }

void CView::setViewSize(const CRect& rect, bool invalidate) {
    if (invalidate) invalid();
    const CPoint shift = rect.getTopLeft() - size_.getTopLeft();
    size_ = rect;
    mouseableArea_.offset(shift.x, shift.y);
    if (invalidate) invalid();
    else setDirty();
}

CPoint CView::frameToLocal(const CPoint& point) const {
    CPoint p = point;
    for (const CView* v = parent_; v; v = v->getParentView()) {
        if (auto* container = dynamic_cast<const CViewContainer*>(v)) p = p - container->getLocalOrigin();
    }
    return p;
}

CPoint CView::localToFrame(const CPoint& point) const {
    CPoint p = point;
    for (const CView* v = parent_; v; v = v->getParentView()) {
        if (auto* container = dynamic_cast<const CViewContainer*>(v)) p = p + container->getLocalOrigin();
    }
    return p;
}

void CView::setVisible(bool state) {
    if (visible_ == state) return;
    visible_ = state;
    setDirty(false);
    invalidRect(size_);
}

void CView::setBackground(CBitmap* background) {
    if (background) background->remember();
    if (background_) background_->forget();
    background_ = background;
    setDirty();
}

bool CView::attached(CView* parent) {
    parent_ = parent;
    frame_ = parent ? parent->getFrame() : nullptr;
    return true;
}

bool CView::removed(CView* /*parent*/) {
    if (frame_) frame_->onViewRemoved(this);
    parent_ = nullptr;
    frame_ = nullptr;
    return true;
}
