#pragma once
// A text label that the user edits in place. A click opens an edit box over it (all text
// selected); Return, Tab or a click elsewhere accept, and only then is the listener told, which
// reads the text with copyText; Escape restores the text the edit started from. One edit runs at a
// time in the whole process. An edit never changes the control's value.

#include <string>

#include "gui/CTextEditBox.h"
#include "gui/CTextLabel.h"

class CQVXTextEdit : public CTextLabel, private CTextEditBoxListener {
public:
    // Accepted text is cut to this many bytes, never inside a character.
    static constexpr std::size_t kTextLimitBytes = 29;

    // With `useOwnFont` the edit box types in the control's own font; otherwise (and when that
    // font cannot be had) in a system face of the same name and size.
    CQVXTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text, CBitmap* background,
                 bool useOwnFont);
    CQVXTextEdit(const CQVXTextEdit& other);
    // A running edit ends as a cancel would, without a word to the listener.
    ~CQVXTextEdit() override;

    // Whether an edit is running. (CControl::isEditing counts gestures at the host instead.)
    virtual bool isEditing() const { return editing_; }
    // Copies the text, cut to `size` - 1 bytes on a character boundary; nothing for a null buffer.
    virtual void copyText(char* buffer, std::size_t size) const;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    bool removed(CView* parent) override;

    // End the running edit as Return / Escape would.
    void acceptEdit();
    void cancelEdit();
    CTextEditBox* getEditBox() const { return box_; }
    bool getUseOwnFont() const { return useOwnFont_; }
    // The edit running in the process, if any.
    static CQVXTextEdit* activeEdit() { return activeEdit_; }

    VELUNOR_CLASS_METHODS(CQVXTextEdit, CTextLabel)

protected:
    virtual std::size_t textLimitBytes() const { return kTextLimitBytes; }
    bool startEdit();

private:
    void editBoxChanged(CTextEditBox& box) override;
    void editBoxEnded(CTextEditBox& box, bool accepted) override;
    void editBoxRemoved(CTextEditBox& box) override;
    // The box's font, with a reference for the caller.
    CFontDesc* makeEditFont();
    CRect editBoxRect() const;
    // Ends the edit: the box leaves the frame and no edit is active.
    void closeBox();

    bool useOwnFont_;
    bool editing_ = false;
    std::string restoreText_;
    CTextEditBox* box_ = nullptr;

    static CQVXTextEdit* activeEdit_;
};
