#pragma once
// Where the back-panel knob (10003) points in each of its 51 frames: from half past seven
// (frame 0) clockwise to half past four (frame 50), 5.4 degrees a frame. The engraved scales are
// placed with the same law, so every label sits where the knob points when it shows that value.

namespace velunor::artwork {

inline constexpr int kKnobFrames = 51;
inline constexpr double kKnobStartDegrees = 225.0;  // counter-clockwise from the positive x axis
inline constexpr double kKnobSweepDegrees = 270.0;

// The centre of the knob inside its 43 x 41 frame.
inline constexpr double kKnobCentreX = 21.5;
inline constexpr double kKnobCentreY = 20.5;
inline constexpr double kKnobSkirtRadius = 16.5;

constexpr double knobFrameDegrees(int frame) {
    return kKnobStartDegrees - kKnobSweepDegrees * frame / (kKnobFrames - 1);
}

}  // namespace velunor::artwork
