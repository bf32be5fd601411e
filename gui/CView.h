#pragma once
// The base of everything on screen. A view's rectangle is in the coordinates of its parent
// container. Drawing is requested two ways: setDirty (any thread, drawn at the frame's next idle)
// and invalid (user-interface thread, drawn at once).

#include "core/Relaxed.h"
#include "gui/CBaseObject.h"
#include "gui/CButtonState.h"
#include "host/AEffEditor.h"

class CBitmap;
class CDrawContext;
class CFrame;
class CViewContainer;

class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    CView(const CView& other);
    ~CView() override;

    // Drawing. Every draw ends with setDirty(false).
    virtual void draw(CDrawContext* context);
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    virtual void setDirty(bool state = true) { dirty_ = state; }
    virtual bool isDirty() const { return dirty_; }
    virtual void invalid();
    void invalidRect(const CRect& rect);

    // Mouse, in parent coordinates.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    // One notch of a mouse wheel is a distance of 1. Only the vertical wheel reaches the short form.
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = CButtonState());

    // Keys reach the view that holds the keyboard focus (CFrame::setFocusView); 1 when used, -1
    // otherwise. takeFocus / looseFocus tell the view when it gains / loses the focus.
    virtual int32 onKeyDown(VstKeyCode& key);
    virtual int32 onKeyUp(VstKeyCode& key);
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // Geometry.
    const CRect& getViewSize() const { return size_; }
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    const CRect& getMouseableArea() const { return mouseableArea_; }
    void setMouseableArea(const CRect& rect) { mouseableArea_ = rect; }
    CCoord getWidth() const { return size_.getWidth(); }
    CCoord getHeight() const { return size_.getHeight(); }
    // Between frame coordinates and the coordinates this view's rectangle is given in.
    CPoint frameToLocal(const CPoint& point) const;
    CPoint localToFrame(const CPoint& point) const;

    // State.
    virtual void setVisible(bool state);
    bool isVisible() const { return visible_; }
    virtual void setMouseEnabled(bool state) { mouseEnabled_ = state; }
    bool getMouseEnabled() const { return mouseEnabled_; }
    virtual void setTransparency(bool state) { transparent_ = state; }
    bool getTransparency() const { return transparent_; }
    void setAlphaValue(float alpha) { alpha_ = alpha; }
    float getAlphaValue() const { return alpha_; }

    // The background bitmap: the view holds one reference to it.
    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return background_; }

    // Attachment to a container that lies in a frame.
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);
    bool isAttached() const { return parent_ != nullptr; }
    CView* getParentView() const { return parent_; }
    CFrame* getFrame() const { return frame_; }
    void setParentView(CView* parent) { parent_ = parent; }
    void setFrame(CFrame* frame) { frame_ = frame; }

    bool isTypeOf(const char* className) const override {
        return std::strcmp(className, "CView") == 0 || CBaseObject::isTypeOf(className);
    }
    const char* getClassName() const override { return "CView"; }
    virtual CView* newCopy() const { return new CView(*this); }

protected:
    CRect size_;
    CRect mouseableArea_;

private:
    CBitmap* background_ = nullptr;
    CView* parent_ = nullptr;
    CFrame* frame_ = nullptr;
    velunor::Relaxed<bool> dirty_{false};
    bool visible_ = true;
    bool mouseEnabled_ = true;
    bool transparent_ = false;
    float alpha_ = 1.0f;
};
