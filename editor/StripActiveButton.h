#pragma once
// A filter strip button that looks dimmed while it is on but PROCESS is off: frame 0 off, frame 1
// on and inactive, frame 2 on and active.

#include "editor/CQVXOnOffButton.h"

class StripActiveButton : public CQVXOnOffButtonAH {
public:
    using CQVXOnOffButtonAH::CQVXOnOffButtonAH;

    VELUNOR_CLASS_METHODS(StripActiveButton, CQVXOnOffButtonAH)

protected:
    int32 frameIndex() const override { return getValue() < 0.5f ? 0 : (isActive() ? 2 : 1); }
};
