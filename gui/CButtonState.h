#pragma once
// Mouse buttons, modifier keys and the answers of the mouse handlers, with the bit values of the
// early VSTGUI 4 releases: hosts never see them, but every control of the plug-in tests them.

#include "gui/CGeometry.h"

enum CButton : int32 {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kDoubleClick = 1 << 10,
};

constexpr int32 kMouseButtonMask = kLButton | kMButton | kRButton;
constexpr int32 kModifierMask = kShift | kControl | kAlt | kApple;

// A second press counts as a double click when it comes this soon and this close to the first.
constexpr uint32 kDoubleClickTimeMs = 250;
constexpr CCoord kDoubleClickDistance = 5;

class CButtonState {
public:
    constexpr CButtonState(int32 state = 0) : state_(state) {}  // NOLINT(google-explicit-constructor)
    constexpr int32 getButtonState() const { return state_; }
    constexpr int32 getModifierState() const { return state_ & kModifierMask; }
    constexpr bool isLeftButton() const { return (state_ & kLButton) != 0; }
    constexpr bool isDoubleClick() const { return (state_ & kDoubleClick) != 0; }
    constexpr operator int32() const { return state_; }  // NOLINT(google-explicit-constructor)
    constexpr bool operator==(const CButtonState& o) const = default;

private:
    int32 state_;
};

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY };
