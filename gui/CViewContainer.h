#pragma once
// A view that owns child views. Children keep their order; later ones draw on top and are asked
// first about the mouse. Children's rectangles are in the container's own coordinates, whose
// origin is the container's top-left corner.

#include <vector>

#include "gui/CView.h"

class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size);
    ~CViewContainer() override;

    // Takes over the caller's reference.
    virtual bool addView(CView* view);
    // Invalidates the view, tells it it was removed and, with `withForget`, releases it; without,
    // the caller owns the view again.
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    bool isChild(const CView* view) const;
    int32 getNbViews() const { return static_cast<int32>(children_.size()); }
    CView* getView(int32 index) const;

    void setBackgroundColor(const CColor& color) { backgroundColor_ = color; setDirty(); }
    CColor getBackgroundColor() const { return backgroundColor_; }
    void setBackgroundOffset(const CPoint& offset) { backgroundOffset_ = offset; }

    // The topmost visible view under `where` (container coordinates of the parent); with `deep`,
    // the innermost one; with `mouseEnabledOnly`, views that take no mouse are looked through.
    // Null when none.
    CView* getViewAt(const CPoint& where, bool deep = false, bool mouseEnabledOnly = false) const;
    // Where this container's children's coordinates start, in its parent's coordinates.
    virtual CPoint getLocalOrigin() const { return size_.getTopLeft(); }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;
    bool isDirty() const override;
    // Collects the rectangles (frame coordinates) of every dirty visible view below this one.
    void collectDirtyRects(std::vector<CRect>& rects) const;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;
    using CView::onWheel;

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    // Forgets a child that is being removed somewhere below this container.
    void clearMouseDownView(const CView* view);
    CView* getMouseDownView() const { return mouseDownView_; }

    VELUNOR_CLASS_METHODS_NOCOPY(CViewContainer, CView)

protected:
    void drawBackgroundRect(CDrawContext* context, const CRect& updateRect);
    void drawChildren(CDrawContext* context, const CRect& updateRect);

    std::vector<CView*> children_;
    CView* mouseDownView_ = nullptr;
    CColor backgroundColor_ = kBlackCColor;
    CPoint backgroundOffset_;
};
