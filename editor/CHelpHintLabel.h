#pragma once
// The hint line at the top of a front panel: a text label that picks its text from the tag, the
// value and the zone of the control under the pointer.

#include "gui/CTextLabel.h"

class CHelpHintLabel : public CTextLabel {
public:
    explicit CHelpHintLabel(const CRect& size);

    // Sets the text for (tag, value, zone), empty when nothing applies, and marks the label dirty.
    // For the meter selector (tag 3) the value is the current meter and the zone the arrow.
    void setHintText(int32 tag, float value, const int32* zone);

    // The text setHintText picks; null leaves the current text as it is.
    static const char* hintText(int32 tag, float value, const int32* zone);

    VELUNOR_CLASS_METHODS(CHelpHintLabel, CTextLabel)
};
