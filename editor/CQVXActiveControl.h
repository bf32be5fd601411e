#pragma once
// The active mix-in: a control that only works while PROCESS is on. Owners set `active` from
// setParameter, on whatever thread calls it; the control reads it on the user-interface thread.

#include "core/Relaxed.h"
#include "gui/CGeometry.h"

class CQVXActiveControl {
public:
    void setActive(bool state) { active = state ? 1 : 0; }
    bool isActive() const { return active != 0; }

    // 1: the control works; 0: it ignores the mouse and the wheel and asks for PROCESS.
    velunor::Relaxed<int32> active{1};
};
