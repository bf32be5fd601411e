#pragma once
// The editor window's root view. A click first gives the window the keyboard focus when asked to,
// so that typing reaches the editor even though the host's window had the focus before.

#include "gui/CFrame.h"

class MyFrame : public CFrame {
public:
    MyFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor);

    bool takeFocusOnClick = false;

    CMouseEventResult platformOnMouseDown(CPoint where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS_NOCOPY(MyFrame, CFrame)
};
