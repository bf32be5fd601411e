#include "editor/CQVXTapeLabel.h"

#include <array>

#include "editor/CQVXCustomFont.h"
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"

namespace {

// Where the pen sits: this far left of the right edge, at the top.
constexpr CCoord kPenRightMargin = 20;
// The text sits this much right of and below the middle of the label.
constexpr CCoord kTextShiftX = 3;
constexpr CCoord kTextShiftY = 5;

struct PenMoves {
    std::array<signed char, CQVXTapeLabel::kSteps> dx{};
    std::array<signed char, CQVXTapeLabel::kSteps> dy{};
};

// The pen's handwriting, step by step; steps not listed keep it still.
constexpr PenMoves makePenMoves() {
    PenMoves m;
    auto set = [&m](std::initializer_list<int> steps, int dx, int dy) {
        for (int s : steps) {
            m.dx[static_cast<std::size_t>(s)] = static_cast<signed char>(dx);
            m.dy[static_cast<std::size_t>(s)] = static_cast<signed char>(dy);
        }
    };
    set({4, 6, 8, 10, 25, 26, 28, 29, 31, 35, 42, 45, 46, 48}, 0, 1);
    set({5, 7, 9, 11, 27, 30, 32, 34, 41, 43}, 1, 1);
    set({12, 33}, 1, 0);
    set({13, 15, 18, 36, 38, 50}, 1, -1);
    set({14, 16, 17, 19, 20, 21, 37, 39, 40}, 0, -1);
    set({44, 47}, 1, -2);
    set({49}, 0, 2);
    set({51, 52, 53, 54, 55, 56, 57, 58, 59, 61, 62, 63, 64, 65, 66}, -1, 0);
    set({60, 67, 68, 70, 71}, -1, -1);
    set({69}, -1, -2);
    return m;
}
constexpr PenMoves kPenMoves = makePenMoves();

}  // namespace

CQVXTapeLabel::CQVXTapeLabel(const CRect& size, CControlListener* listener, CBitmap* background)
    : CMyTextEdit(size, listener, kTag, kInitialText, background, true), pen_(new CBitmap(kPenBitmap)) {
    setFontColor(kTextColor);
    setFont(CQVXCustomFont::get());
    const CCoord w = pen_->getWidth(), h = pen_->getHeight();
    penBaseRect_ = CRect(size.right - kPenRightMargin - w, size.top, size.right - kPenRightMargin, size.top + h);
    penRect_ = penBaseRect_;
}

CQVXTapeLabel::CQVXTapeLabel(const CQVXTapeLabel& other)
    : CMyTextEdit(other),
      pen_(other.pen_),
      penRect_(other.penBaseRect_),
      penBaseRect_(other.penBaseRect_) {
    pen_->remember();
}

CQVXTapeLabel::~CQVXTapeLabel() { pen_->forget(); }

CPoint CQVXTapeLabel::penMove(int32 step) {
    if (step <= 0 || step >= kSteps) return {};
    const auto i = static_cast<std::size_t>(step);
    return CPoint(kPenMoves.dx[i], kPenMoves.dy[i]);
}

void CQVXTapeLabel::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) bitmap->draw(context, size_, getBackOffset(), 1.0f);
    if (isEditing()) {
        pen_->draw(context, penRect_, CPoint(0, 0), 1.0f);
    } else if (*getText()) {
        context->saveGlobalState();
        context->setFont(getFont());
        context->setFontColor(getFontColor());
        CRect textRect = size_;
        textRect.offset(kTextShiftX, kTextShiftY);
        context->drawString(getText(), textRect, kCenterText, true);
        context->restoreGlobalState();
    }
    setDirty(false);
}

void CQVXTapeLabel::idle() {
    if (CFrame* frame = getFrame()) idle(frame->getTicks());
}

void CQVXTapeLabel::idle(uint32 nowMs) {
    if (!isEditing() || nowMs - lastStepMs_ < kStepMs) return;
    step_ = step_ + 1 >= kSteps ? 0 : step_ + 1;
    lastStepMs_ = nowMs;
    if (step_ == 0) {
        penRect_ = penBaseRect_;
    } else {
        const CPoint move = penMove(step_);
        penRect_.offset(move.x, move.y);
    }
    setDirty();
}
