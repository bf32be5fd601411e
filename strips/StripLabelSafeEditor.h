#pragma once
// The label strip's holder: it also lets the shown open strip move its pen.

#include "strips/StripLabelEditor.h"
#include "strips/StripSafeEditor.h"

class StripLabelSafeEditor : public StripSafeEditor<StripLabelEditor> {
public:
    using StripSafeEditor::StripSafeEditor;

    virtual void idle();
};
