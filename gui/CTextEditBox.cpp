#include "gui/CTextEditBox.h"

#include <algorithm>
#include <cmath>

#include "gui/CFrame.h"
#include "gui/Utf8Text.h"
#include "gui/VirtualKeys.h"

namespace {
// Space kept between the caret and the box's edges when the text scrolls.
constexpr CCoord kCaretMargin = 2;
}  // namespace

CTextEditBox::CTextEditBox(const CRect& size, CTextEditBoxListener* listener, const char* utf8, CFontDesc* font,
                           const CColor& textColor, CHoriTxtAlign align)
    : CView(size), listener_(listener), textColor_(textColor), align_(align) {
    std::string_view initial = utf8 ? utf8 : "";
    std::size_t bytes = 0;
    for (std::size_t n = 0; n < kMaxCharacters && bytes < initial.size(); ++n) bytes = utf8::next(initial, bytes);
    text_ = initial.substr(0, bytes);
    if (font) font->remember();
    font_ = font;
    selectAll();
}

CTextEditBox::CTextEditBox(const CTextEditBox& other)
    : CTextEditBox(other.size_, nullptr, other.text_.c_str(), other.font_, other.textColor_, other.align_) {}

CTextEditBox::~CTextEditBox() {
    if (font_) font_->forget();
}

void CTextEditBox::selectAll() {
    anchor_ = 0;
    caret_ = text_.size();
    setDirty();
}

void CTextEditBox::end(bool accepted) {
    if (ended_) return;
    ended_ = true;
    if (listener_) listener_->editBoxEnded(*this, accepted);
}

void CTextEditBox::looseFocus() {
    remember();  // the listener takes the box out of its frame
    end(true);
    forget();
}

bool CTextEditBox::removed(CView* parent) {
    // Taken out of the frame by anything but its listener: the edit ends without an answer.
    if (!ended_) {
        ended_ = true;
        if (listener_) listener_->editBoxRemoved(*this);
    }
    return CView::removed(parent);
}

void CTextEditBox::changed() {
    setDirty();
    if (listener_) listener_->editBoxChanged(*this);
}

void CTextEditBox::replaceSelection(const std::string& with) {
    const std::size_t start = getSelectionStart(), stop = getSelectionEnd();
    text_.replace(start, stop - start, with);
    anchor_ = caret_ = start + with.size();
    changed();
}

void CTextEditBox::moveCaret(std::size_t to, bool extend) {
    caret_ = std::min(to, text_.size());
    if (!extend) anchor_ = caret_;
    setDirty();
}

int32 CTextEditBox::onKeyDown(VstKeyCode& key) {
    if (ended_) return -1;
    const bool shift = (key.modifier & MODIFIER_SHIFT) != 0;
    const bool command = (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)) != 0;
    switch (key.virt) {
        case VKEY_RETURN:
        case VKEY_ENTER:
        case VKEY_TAB:
        case VKEY_ESCAPE:
            remember();  // the listener takes the box out of its frame
            end(key.virt != VKEY_ESCAPE);
            forget();
            return 1;
        case VKEY_BACK:
            if (getSelectionStart() == getSelectionEnd()) anchor_ = utf8::previous(text_, caret_);
            if (anchor_ != caret_) replaceSelection({});
            return 1;
        case VKEY_DELETE:
            if (getSelectionStart() == getSelectionEnd()) anchor_ = utf8::next(text_, caret_);
            if (anchor_ != caret_) replaceSelection({});
            return 1;
        case VKEY_HOME: moveCaret(0, shift); return 1;
        case VKEY_END: moveCaret(text_.size(), shift); return 1;
        case VKEY_LEFT:
            if (!shift && anchor_ != caret_) moveCaret(getSelectionStart(), false);
            else moveCaret(utf8::previous(text_, caret_), shift);
            return 1;
        case VKEY_RIGHT:
            if (!shift && anchor_ != caret_) moveCaret(getSelectionEnd(), false);
            else moveCaret(utf8::next(text_, caret_), shift);
            return 1;
        default: break;
    }
    const auto cp = static_cast<std::uint32_t>(key.character);
    if (command) {
        if (cp == 'a' || cp == 'A') {
            selectAll();
            return 1;
        }
        return -1;
    }
    if (cp == 0 && key.virt == VKEY_SPACE) {
        VstKeyCode space = key;
        space.character = ' ';
        space.virt = 0;
        return onKeyDown(space);
    }
    if (cp == 0) return -1;
    // Control characters type nothing; the box still owns the key.
    if (cp < 0x20 || cp == 0x7f) return 1;
    std::string typed;
    if (!utf8::append(typed, cp)) return 1;
    const std::size_t selected =
        utf8::countCharacters(std::string_view(text_).substr(getSelectionStart(), getSelectionEnd() - getSelectionStart()));
    if (utf8::countCharacters(text_) - selected >= kMaxCharacters) return 1;
    replaceSelection(typed);
    return 1;
}

int32 CTextEditBox::onKeyUp(VstKeyCode&) { return ended_ ? -1 : 1; }

CCoord CTextEditBox::widthOf(CDrawContext& context, std::size_t bytes) {
    if (bytes == 0) return 0;
    return context.getStringWidth(text_.substr(0, bytes).c_str());
}

CCoord CTextEditBox::textLeft(CDrawContext& context) {
    context.setFont(font_);
    const CCoord width = widthOf(context, text_.size());
    const CCoord room = getWidth();
    if (width <= room) {
        scroll_ = 0;
        if (align_ == kCenterText) return size_.left + (room - width) / 2;
        if (align_ == kRightText) return size_.right - width;
        return size_.left;
    }
    // Longer than the box: it scrolls so that the caret stays in view.
    const CCoord caretX = widthOf(context, caret_);
    if (caretX - scroll_ > room - kCaretMargin) scroll_ = caretX - room + kCaretMargin;
    if (caretX - scroll_ < 0) scroll_ = caretX;
    scroll_ = std::clamp<CCoord>(scroll_, 0, width - room + kCaretMargin);
    return size_.left - scroll_;
}

void CTextEditBox::draw(CDrawContext* context) {
    context->saveGlobalState();
    const CCoord left = textLeft(*context);
    IPlatformFont* platformFont = font_ ? font_->getPlatformFont() : nullptr;
    double capHeight = platformFont ? platformFont->getCapHeight() : 0;
    if (capHeight <= 0 && platformFont) capHeight = platformFont->getAscent();
    const CPoint baseline(left, std::round(size_.top + getHeight() / 2 + std::max(0.0, capHeight) / 2));
    const CCoord startX = left + widthOf(*context, getSelectionStart());
    const CCoord endX = left + widthOf(*context, getSelectionEnd());
    context->setFontColor(textColor_);
    context->drawString(text_.c_str(), baseline, true);
    if (endX > startX) {
        CRect selection(startX, size_.top, endX, size_.bottom);
        context->setFillColor(kSelectionColor);
        context->drawRect(selection, kDrawFilled);
        context->setClipRect(selection.bound(context->getClipRect()));
        context->setFontColor(kSelectedTextColor);
        context->drawString(text_.c_str(), baseline, true);
    } else {
        const CCoord x = std::floor(startX) + 0.5;
        context->setFrameColor(textColor_);
        context->setLineWidth(1);
        context->setDrawMode(kAliasing);
        context->drawLine(CPoint(x, size_.top + 1), CPoint(x, size_.bottom - 1));
    }
    context->restoreGlobalState();
    setDirty(false);
}

CMouseEventResult CTextEditBox::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (ended_ || !buttons.isLeftButton()) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    if (buttons.isDoubleClick()) {
        selectAll();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    // The caret goes to the character boundary nearest to the click.
    CDrawContext* context = getFrame() ? getFrame()->getBackBufferContext() : nullptr;
    if (!context) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    context->saveGlobalState();
    const CCoord x = where.x - textLeft(*context);
    std::size_t best = 0;
    CCoord bestDistance = std::abs(x);
    for (std::size_t pos = utf8::next(text_, 0); pos <= text_.size() && pos > 0; pos = utf8::next(text_, pos)) {
        const CCoord d = std::abs(widthOf(*context, pos) - x);
        if (d < bestDistance) bestDistance = d, best = pos;
        if (pos == text_.size()) break;
    }
    context->restoreGlobalState();
    moveCaret(best, (buttons & kShift) != 0);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
