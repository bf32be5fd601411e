#include "strips/StripLabelSafeEditor.h"

void StripLabelSafeEditor::idle() {
    if (form() != StripForm::open) return;
    if (StripLabelEditor* strip = current()) strip->idle();
}
