#include "views/CQVXBackPanelContainer.h"

#include "editor/CQVXOnOffButton.h"
#include "gui/CControlListener.h"

CQVXBackPanelContainer::CQVXBackPanelContainer(const CRect& size, CControlListener* listener)
    : CViewContainer(size), closeButton_(new CQVXOnOffButton(size, listener, kCloseTag, nullptr)), listener_(listener) {
    closeButton_->setValue(1.0f);
}

CQVXBackPanelContainer::~CQVXBackPanelContainer() {
    if (closeButton_) closeButton_->forget();
    closeButton_ = nullptr;
}

CMouseEventResult CQVXBackPanelContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
    const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    if (result != kMouseEventNotHandled) return result;
    if (closeButton_ && listener_) listener_->valueChanged(closeButton_);
    return kMouseEventHandled;
}
