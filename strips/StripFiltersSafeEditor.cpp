#include "strips/StripFiltersSafeEditor.h"

void StripFiltersSafeEditor::setProcessState(float value) {
    for (int meter = 0; meter < kMeters; ++meter)
        for (StripForm form : {StripForm::open, StripForm::closed})
            if (StripFiltersEditor* strip = get(form, meter)) strip->setProcessState(value);
}
