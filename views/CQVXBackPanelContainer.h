#pragma once
// The back panel's view container. A click that no control takes closes the panel: the container
// then reports its close button (tag 65) to the listener, which hides the panel.

#include "gui/CViewContainer.h"

class CControlListener;
class CQVXOnOffButton;

class CQVXBackPanelContainer : public CViewContainer {
public:
    static constexpr int32 kCloseTag = 65;

    CQVXBackPanelContainer(const CRect& size, CControlListener* listener);
    // Releases the close button, then the views.
    ~CQVXBackPanelContainer() override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    CQVXOnOffButton* getCloseButton() const { return closeButton_; }

    VELUNOR_CLASS_METHODS_NOCOPY(CQVXBackPanelContainer, CViewContainer)

private:
    // Never inserted as a view: it only carries the tag to the listener.
    CQVXOnOffButton* closeButton_ = nullptr;
    CControlListener* listener_ = nullptr;
};
