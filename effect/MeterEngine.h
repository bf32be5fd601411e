#pragma once
// What the effect asks of each of its three meter engines (RMS, VU, PPM). The engines live in
// meters/ and are given the effect as their velunor::EngineOwner; until they are built into the
// effect its three slots are empty, and every request to a missing engine is skipped.

#include "host/VstAbi.h"

namespace velunor {

class MeterEngine {
public:
    virtual ~MeterEngine() = default;

    // Settings 72..100 of this engine's meter, normalised.
    virtual void setParameter(VstInt32 index, float value) = 0;
    virtual float getParameter(VstInt32 index) = 0;

    // Shared by all three engines ("GSIcal", "LR/MS", "Hold", "LagTime").
    virtual void setCalibrationMode(float value) = 0;
    virtual void setMidSide(float value, int midSide) = 0;
    virtual void setHold(float value, int holdMode) = 0;
    virtual void setLagTime(float value, int lagMs) = 0;

    // Index 65: write this meter's Global calibration store to the settings store.
    virtual void saveGlobalCalibration() = 0;
    // Index 67: held maxima to -1, latched over indications off.
    virtual void clearHeld() = 0;

    // Stream: the sample rate (then prepare) on resume, the rest state on suspend, and the
    // output buffers of every block while this engine is the selected one.
    virtual void setSampleRate(float rate) = 0;
    virtual void prepare() = 0;
    virtual void rest() = 0;
    virtual void process(float** inputs, float** outputs, VstInt32 frames) = 0;
};

}  // namespace velunor
