#include "editor/CQVXTextEdit.h"

#include <cmath>
#include <cstring>

#include "gui/CBitmap.h"
#include "gui/CFrame.h"
#include "gui/Utf8Text.h"

CQVXTextEdit* CQVXTextEdit::activeEdit_ = nullptr;

CQVXTextEdit::CQVXTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text,
                           CBitmap* background, bool useOwnFont)
    : CTextLabel(size, text, background), useOwnFont_(useOwnFont) {
    setListener(listener);
    setTag(tag);
}

CQVXTextEdit::CQVXTextEdit(const CQVXTextEdit& other)
    : CTextLabel(other), CTextEditBoxListener(other), useOwnFont_(other.useOwnFont_) {
    // A copy of a control being edited shows the text the edit started from.
    if (other.editing_) setText(other.restoreText_.c_str());
}

CQVXTextEdit::~CQVXTextEdit() {
    if (editing_) {
        CTextLabel::setText(restoreText_.c_str());
        editing_ = false;
        closeBox();
    }
}

void CQVXTextEdit::copyText(char* buffer, std::size_t size) const {
    if (!buffer || size == 0) return;
    const std::string_view text = utf8::cut(getText(), size - 1);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
}

void CQVXTextEdit::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) bitmap->draw(context, size_, getBackOffset(), 1.0f);
    if (!editing_) drawText(context, getText());
    setDirty(false);
}

CMouseEventResult CQVXTextEdit::onMouseDown(CPoint&, const CButtonState&) {
    startEdit();
    return kMouseEventHandled;
}

bool CQVXTextEdit::removed(CView* parent) {
    // Taken off the screen (a panel detached, the window closing): the edit cannot go on.
    if (editing_) cancelEdit();
    return CTextLabel::removed(parent);
}

CRect CQVXTextEdit::editBoxRect() const {
    const CPoint origin = localToFrame(size_.getTopLeft());
    CRect inFrame(origin.x, origin.y - 1, origin.x + getWidth(), origin.y - 1 + getHeight());
    const CCoord f = getFont() ? getFont()->getSize() : 0;
    const CCoord centre = std::trunc(inFrame.top + inFrame.getHeight() / 2);
    const CCoord top = std::trunc(centre - f / 2 - 1);
    return CRect(inFrame.left, top, inFrame.right, top + std::trunc(f + 3));
}

CFontDesc* CQVXTextEdit::makeEditFont() {
    CFontDesc* font = getFont();
    if (useOwnFont_ && font && font->getPlatformFont()) {
        font->remember();
        return font;
    }
    return new CFontDesc(font ? font->getName().c_str() : "", font ? font->getSize() : 12, kNormalFace);
}

bool CQVXTextEdit::startEdit() {
    CFrame* frame = getFrame();
    if (editing_ || !frame) return false;
    // Another edit loses the keyboard to this one, which accepts it.
    if (activeEdit_ && activeEdit_ != this) activeEdit_->acceptEdit();
    editing_ = true;
    setDirty();
    restoreText_ = getText();
    activeEdit_ = this;
    const std::string initial(utf8::cut(restoreText_, textLimitBytes()));
    CTextLabel::setText("");
    CFontDesc* font = makeEditFont();
    box_ = new CTextEditBox(editBoxRect(), this, initial.c_str(), font, getFontColor(), getHoriAlign());
    font->forget();
    frame->addView(box_);
    frame->setFocusView(box_);
    return true;
}

void CQVXTextEdit::closeBox() {
    if (activeEdit_ == this) activeEdit_ = nullptr;
    CTextEditBox* box = box_;
    box_ = nullptr;
    if (!box) return;
    box->setListener(nullptr);
    if (auto* parent = dynamic_cast<CViewContainer*>(box->getParentView())) parent->removeView(box, true);
    else box->forget();
}

void CQVXTextEdit::editBoxChanged(CTextEditBox& box) {
    CTextLabel::setText(std::string(utf8::cut(box.getText(), textLimitBytes())).c_str());
}

void CQVXTextEdit::editBoxEnded(CTextEditBox&, bool accepted) {
    if (accepted) acceptEdit();
    else cancelEdit();
}

void CQVXTextEdit::editBoxRemoved(CTextEditBox&) {
    // The frame let go of the box (it is closing): the box is gone, the text goes back.
    box_ = nullptr;
    if (activeEdit_ == this) activeEdit_ = nullptr;
    CTextLabel::setText(restoreText_.c_str());
    editing_ = false;
}

void CQVXTextEdit::acceptEdit() {
    if (!editing_ || !box_) return;
    remember();  // the listener may take this control away
    CTextLabel::setText(std::string(utf8::cut(box_->getText(), textLimitBytes())).c_str());
    editing_ = false;
    setDirty();
    closeBox();
    beginEdit();
    valueChanged();
    endEdit();
    invalid();
    forget();
}

void CQVXTextEdit::cancelEdit() {
    if (!editing_) return;
    // The whole text the edit started from, even where it is longer than an edit may make it.
    CTextLabel::setText(restoreText_.c_str());
    editing_ = false;
    setDirty();
    invalid();
    closeBox();
}
