#include "editor/CQVXHintControl.h"

#include "editor/CHelpHintLabel.h"

void CQVXHintControl::showHint(int32 tag, float value, const int32* zone) {
    if (hintLabel_) hintLabel_->setHintText(tag, value, zone);
}

void CQVXHintControl::clearHint() {
    if (hintLabel_) hintLabel_->setText("");
}
