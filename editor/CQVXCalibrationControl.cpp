#include "editor/CQVXCalibrationControl.h"

#include "editor/WheelStepping.h"
#include "gui/CBitmap.h"

namespace {
// The right edges of the three zones, from the control's left edge.
constexpr CCoord kZoneRight[] = {14, 26, 38};

float quantised(float value) { return static_cast<float>(static_cast<int32>(value * 2.0f + 0.5f)) / 2.0f; }
}  // namespace

CQVXCalibrationControl::CQVXCalibrationControl(const CRect& size, CControlListener* listener, int32 tag,
                                               CBitmap* bitmap)
    : CControl(size, listener, tag, bitmap) {}

void CQVXCalibrationControl::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getBackground()) bitmap->draw(context, size_, CPoint(0, getMode() * getHeight()), 1.0f);
    setDirty(false);
}

CMouseEventResult CQVXCalibrationControl::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    int32 mode = getMode();
    const CCoord x = where.x - size_.left;
    for (int32 zone = 0; zone < 3; ++zone) {
        if (x < kZoneRight[zone]) {
            mode = zone;
            break;
        }
    }
    setValue(static_cast<float>(mode) * 0.5f);
    valueChanged();
    invalid();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CQVXCalibrationControl::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    const float value = getValue() + 0.5f * static_cast<float>(velunor::editor::wheelDirection(distance));
    velunor::editor::setValueAndReport(*this, quantised(clampControlValue(value, getMin(), getMax())));
    return true;
}
