#include "editor/MyFrame.h"

MyFrame::MyFrame(const CRect& size, void* parentWindow, VSTGUIEditorInterface* editor)
    : CFrame(size, parentWindow, editor) {}

CMouseEventResult MyFrame::platformOnMouseDown(CPoint where, const CButtonState& buttons) {
    if (takeFocusOnClick) {
        if (IPlatformFrame* window = getPlatformFrame()) window->takeKeyboardFocus();
    }
    // The click may close the editor, and with it this frame.
    remember();
    CMouseEventResult result = onMouseDown(where, buttons);
    forget();
    return result;
}
