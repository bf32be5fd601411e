#include "strips/StripEditor.h"

#include "effect/Templete.h"
#include "gui/CBitmap.h"
#include "gui/CControl.h"
#include "gui/CFrame.h"
#include "gui/CViewContainer.h"

StripEditor::StripEditor(CControlListener* editor, Templete* effect) : effect_(effect), editor_(editor) {}

StripEditor::~StripEditor() { close(); }

void StripEditor::setHintLabel(CHelpHintLabel* label) {
    CQVXHintControl::setHintLabel(label);
    for (CQVXHintControl* control : hinted_) control->setHintLabel(label);
}

bool StripEditor::open(CFrame* frame, CBitmap* background, CCoord height) {
    frame_ = frame;
    if (!background) return false;
    height_ = height;
    container_ = new CViewContainer(CRect(0, kTop, kWidth, kTop + height));
    container_->setBackground(background);
    return true;
}

// The strip keeps a reference of its own to its container; the frame holds a second one while the
// strip is shown. So a frame closed before its strips takes nothing from under them.
void StripEditor::close() {
    if (container_) {
        detach();
        container_->forget();
    }
    container_ = nullptr;
    frame_ = nullptr;
    shown_ = false;
    hinted_.clear();
}

void StripEditor::place(const CPoint& position) {
    if (!container_ || !frame_) return;
    const CRect rect(position.x, position.y, position.x + kWidth, position.y + height_);
    container_->setViewSize(rect, false);
    if (!container_->isAttached()) {
        container_->remember();
        frame_->addView(container_);
    }
    shown_ = true;
}

void StripEditor::hide() {
    if (container_) detach();
    shown_ = false;
}

void StripEditor::detach() {
    if (auto* parent = dynamic_cast<CViewContainer*>(container_->getParentView())) parent->removeView(container_, true);
}

CBitmap* StripEditor::loadBackground(int resourceId) {
    auto* bitmap = new CBitmap(resourceId);
    if (bitmap->isLoaded()) return bitmap;
    bitmap->forget();
    return nullptr;
}

void StripEditor::addView(CControl* control, int32 index) {
    if (index >= 0) control->setValue(effect_->getParameter(index));
    container_->addView(control);
}
