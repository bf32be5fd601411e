#pragma once
// What a meter engine may ask of the effect that owns it: every setting an engine takes over from
// a calibration store goes back through the effect's setParameter, so the effect's copy, the state
// chunk and the editor follow. The effect implements this; tests can implement it too.

#include "host/VstAbi.h"

namespace velunor {

class EngineOwner {
public:
    virtual void setParameter(VstInt32 index, float value) = 0;

protected:
    ~EngineOwner() = default;
};

}  // namespace velunor
