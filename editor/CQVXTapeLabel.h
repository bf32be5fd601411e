#pragma once
// The track name on the label strip, in the private font. While it is edited a pen is drawn
// instead of the text and writes on the tape: a 95-step loop of at least 30 ms a step, moved on
// by the label strip's idle. Its text may hold 38 bytes, the track label's length.

#include "editor/CMyTextEdit.h"

class CQVXTapeLabel : public CMyTextEdit {
public:
    static constexpr int32 kTag = 69;
    static constexpr std::size_t kTapeTextLimitBytes = 38;
    static constexpr int kPenBitmap = 10008;
    static constexpr uint32 kStepMs = 30;
    static constexpr int32 kSteps = 95;
    static constexpr CColor kTextColor{4, 45, 85, 205};
    static constexpr const char* kInitialText = "www.vantorell.com";

    CQVXTapeLabel(const CRect& size, CControlListener* listener, CBitmap* background);
    CQVXTapeLabel(const CQVXTapeLabel& other);
    ~CQVXTapeLabel() override;

    void draw(CDrawContext* context) override;

    // One step of the pen, when an edit runs and kStepMs have passed since the last one; by the
    // frame's clock, or at `nowMs`.
    void idle();
    void idle(uint32 nowMs);

    const CRect& getPenRect() const { return penRect_; }
    const CRect& getPenBaseRect() const { return penBaseRect_; }
    int32 getPenStep() const { return step_; }

    // How far step `step` (1 to kSteps - 1) moves the pen; step 0 puts it back.
    static CPoint penMove(int32 step);

    VELUNOR_CLASS_METHODS(CQVXTapeLabel, CMyTextEdit)

protected:
    std::size_t textLimitBytes() const override { return kTapeTextLimitBytes; }

private:
    CBitmap* pen_;
    CRect penRect_;
    CRect penBaseRect_;
    uint32 lastStepMs_ = 0;
    int32 step_ = 0;
};
