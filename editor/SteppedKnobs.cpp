#include "editor/SteppedKnobs.h"

#include <algorithm>

namespace {

// Frames of the 51-frame knob strip; each is trunc(50 p + 0.5) for the step's position p.
constexpr int32 kBackLitFrames[] = {15, 20, 25, 30, 35};
constexpr int32 kLedRefFrames[] = {5, 19, 31, 45};
constexpr int32 kOverFrames[] = {2, 6, 11, 17, 22, 28, 33, 39, 43, 48};
constexpr int32 kRmsOverFrames[] = {2, 6, 11, 17, 22, 28, 33, 39, 44, 47};
constexpr int32 kRmsLedRefFrames[] = {0, 8, 17, 25, 33, 42, 50};

template <std::size_t N>
constexpr int32 frameOfStep(const int32 (&frames)[N], int32 step) {
    return step >= 0 && step < static_cast<int32>(N) ? frames[step] : 0;
}

// The step in double arithmetic, as the ten-step and five-step knobs count.
int32 stepOf(float value, int32 steps) {
    return static_cast<int32>(static_cast<double>(value) * steps + 0.5);
}

}  // namespace

int32 CVuBackLitKnob::frameFor(float value) { return frameOfStep(kBackLitFrames, stepOf(value, 4)); }

int32 CVuLedRefKnob::frameFor(float value) {
    if (value < 0.0f) return 0;
    // Single precision here, then held to the four steps.
    const int32 step = std::clamp(static_cast<int32>(3.0f * value + 0.5f), 0, 3);
    return kLedRefFrames[step];
}

int32 CVuOverLedKnob::frameFor(float value) { return frameOfStep(kOverFrames, stepOf(value, 9)); }
int32 CRmsOverLedKnob::frameFor(float value) { return frameOfStep(kRmsOverFrames, stepOf(value, 9)); }

int32 CRmsLedRefKnob::frameFor(float value) {
    return value > 0.0f ? frameOfStep(kRmsLedRefFrames, stepOf(value, 6)) : 0;
}

void CVuBackLitKnob::draw(CDrawContext* context) { drawFrame(context, frameFor(getValue())); }
void CVuLedRefKnob::draw(CDrawContext* context) { drawFrame(context, frameFor(getValue())); }
void CVuOverLedKnob::draw(CDrawContext* context) { drawFrame(context, frameFor(getValue())); }
void CRmsOverLedKnob::draw(CDrawContext* context) { drawFrame(context, frameFor(getValue())); }
void CRmsLedRefKnob::draw(CDrawContext* context) { drawFrame(context, frameFor(getValue())); }
