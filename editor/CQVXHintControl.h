#pragma once
// The hint mix-in: a control that can show a one-line help text in its panel's hint label. The
// label belongs to the panel and outlives the controls that point to it.

#include "gui/CGeometry.h"

class CHelpHintLabel;

class CQVXHintControl {
public:
    virtual ~CQVXHintControl() = default;
    virtual void setHintLabel(CHelpHintLabel* label) { hintLabel_ = label; }
    // Asks the label for the text of (tag, value, zone); nothing without a label.
    virtual void showHint(int32 tag, float value, const int32* zone);
    virtual void clearHint();
    CHelpHintLabel* getHintLabel() const { return hintLabel_; }

private:
    CHelpHintLabel* hintLabel_ = nullptr;
};
