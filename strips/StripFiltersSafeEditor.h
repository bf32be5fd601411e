#pragma once
// The filters strip's holder: it also passes PROCESS on to all six strips.

#include "strips/StripFiltersEditor.h"
#include "strips/StripSafeEditor.h"

class StripFiltersSafeEditor : public StripSafeEditor<StripFiltersEditor> {
public:
    using StripSafeEditor::StripSafeEditor;

    virtual void setProcessState(float value);
};
