#pragma once
// The reference-level control of the front faces: a knob without a film strip that shows the
// reference level as text, which its owner writes.

#include <array>

#include "editor/CAnimKnob4.h"
#include "editor/CQVXHintControl.h"

class CFrontReferenceControl : public CAnimKnob4, public CQVXHintControl {
public:
    static constexpr std::size_t kTextBytes = 30;
    static constexpr CColor kTextColor{200, 193, 193, 255};

    using CAnimKnob4::CAnimKnob4;

    // Keeps at most kTextBytes - 1 bytes, never half a character; marks the control dirty.
    void setText(const char* utf8);
    const char* getText() const { return text_.data(); }

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CFrontReferenceControl, CAnimKnob4)

private:
    std::array<char, kTextBytes> text_{};
};
