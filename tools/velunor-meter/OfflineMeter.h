#pragma once
// The plug-in offline: one effect built in-process exactly as the entry point builds it, at the
// file's rate, with the chosen meter and settings, fed block by block and read after each block
// the way the front panel reads it.

#include <memory>
#include <vector>

#include "effect/Templete.h"
#include "tools/velunor-meter/MeterOptions.h"

namespace velunor::metercli {

// One row: the needle (VU) or peak (PPM, RMS) of channels A and B, the held values, the over
// indications and, for the RMS meter, the RMS needles.
struct MeterReading {
    double a = 0.0, b = 0.0;
    double heldA = 0.0, heldB = 0.0;
    double overA = 0.0, overB = 0.0;
    double rmsA = 0.0, rmsB = 0.0;
};

class OfflineMeter {
public:
    // The settings go through the effect's setParameter in their order, after "Meter".
    OfflineMeter(float sampleRate, const MeterOptions& options);
    ~OfflineMeter();

    // Measures one block of the two channels and reads the meter.
    MeterReading process(float* left, float* right, long frames);

    Templete& effect() { return *effect_; }
    MeterEngine& engine() { return *effect_->activeEngine(); }
    bool hasRms() const { return effect_->meterType() == 1; }

private:
    std::unique_ptr<Templete> effect_;
    std::vector<float> outL_, outR_;
};

}  // namespace velunor::metercli
