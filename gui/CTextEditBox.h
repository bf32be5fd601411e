#pragma once
// A one-line text entry that the frame draws in its own window, where a native edit window would
// sit on other systems: caret, selection (all of it when the box opens), typing, Backspace,
// Delete, Home, End and the arrows (Shift extends the selection), Return and Tab accept, Escape
// cancels, losing the keyboard focus accepts. It holds at most kMaxCharacters characters.
//
// The box draws no background: whatever lies under it in the frame shows through. It reports to
// its listener and never removes itself; the listener takes it out of the frame when it ends.

#include <string>

#include "gui/CDrawContext.h"
#include "gui/CView.h"

class CTextEditBox;

class CTextEditBoxListener {
public:
    virtual ~CTextEditBoxListener() = default;
    // The text changed by typing.
    virtual void editBoxChanged(CTextEditBox& box) = 0;
    // Return, Tab or losing the focus (accepted), Escape (not accepted). Told once.
    virtual void editBoxEnded(CTextEditBox& box, bool accepted) = 0;
    // The box left its frame before it ended (the frame closed).
    virtual void editBoxRemoved(CTextEditBox& box) = 0;
};

class CTextEditBox : public CView {
public:
    static constexpr std::size_t kMaxCharacters = 255;
    static constexpr CColor kSelectionColor{51, 153, 255, 255};
    static constexpr CColor kSelectedTextColor{255, 255, 255, 255};

    // Opens with all of `utf8` (cut to kMaxCharacters) selected. Holds a reference to `font`.
    CTextEditBox(const CRect& size, CTextEditBoxListener* listener, const char* utf8, CFontDesc* font,
                 const CColor& textColor, CHoriTxtAlign align);
    CTextEditBox(const CTextEditBox& other);
    ~CTextEditBox() override;

    const std::string& getText() const { return text_; }
    // Byte offsets into the text, always on character boundaries; start <= end.
    std::size_t getSelectionStart() const { return std::min(anchor_, caret_); }
    std::size_t getSelectionEnd() const { return std::max(anchor_, caret_); }
    std::size_t getCaret() const { return caret_; }
    bool hasEnded() const { return ended_; }
    void selectAll();
    // A listener that goes away first detaches itself.
    void setListener(CTextEditBoxListener* listener) { listener_ = listener; }
    CFontDesc* getFont() const { return font_; }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32 onKeyDown(VstKeyCode& key) override;
    int32 onKeyUp(VstKeyCode& key) override;
    void looseFocus() override;
    bool removed(CView* parent) override;

    VELUNOR_CLASS_METHODS(CTextEditBox, CView)

private:
    void end(bool accepted);
    void replaceSelection(const std::string& with);
    void moveCaret(std::size_t to, bool extend);
    void changed();
    // Where the text starts, for the current scroll position, in view coordinates.
    CCoord textLeft(CDrawContext& context);
    CCoord widthOf(CDrawContext& context, std::size_t bytes);

    CTextEditBoxListener* listener_;
    std::string text_;
    CFontDesc* font_ = nullptr;
    CColor textColor_;
    CHoriTxtAlign align_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    CCoord scroll_ = 0;
    bool ended_ = false;
};
