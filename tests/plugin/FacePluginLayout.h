#pragma once
// Where the test plug-in with an editor puts its VU face, shared by the plug-in and its test.

namespace velunor::testing::faceplugin {

// The editor opens at this size and then asks the host for the larger one.
constexpr int kInitialWidth = 200;
constexpr int kInitialHeight = 100;
constexpr int kWidth = 274;
constexpr int kHeight = 140;
// The face's top-left corner in the editor.
constexpr double kFaceX = 12;
constexpr double kFaceY = 9;
// The block peak the needle shows as 0 VU: the peak of velunor-host's line-up tone.
constexpr float kPeakAtZeroVu = 0.125892541f;

}  // namespace velunor::testing::faceplugin
