#pragma once
// One needle instrument on a meter's front panel: a needle, an optional hold marker and an over
// LED. The views do no metering: the front panel writes the values and marks them dirty, and a
// left click reports tag 67 (clear the over LEDs and the infinite hold) to the listener. The base
// draws nothing; each meter's subclass draws its own face, needles and colours.

#include "core/Relaxed.h"
#include "gui/CBitmap.h"
#include "gui/CControl.h"
#include "views/ScaleLaws.h"

class CQVXMeter2 : public CControl {
public:
    // The tag every face reports its clicks with.
    static constexpr int32 kClickTag = 67;
    // The over LED film strip and the size of one of its frames.
    static constexpr int kLedBitmapId = 40008;
    static constexpr CCoord kLedFrameHeight = 20;
    // ledState: the LED's frame is ledState + 1; anything else shows no LED.
    static constexpr int32 kLedDark = -1;
    static constexpr int32 kLedDim = 0;
    static constexpr int32 kLedBright = 1;
    // Every needle and marker is drawn this wide unless a face says otherwise.
    static constexpr CCoord kNeedleLineWidth = 2.4;

    // `pivot` is in the coordinates of the panel that holds the view and may lie outside it.
    CQVXMeter2(const CRect& size, CControlListener* listener, const CPoint& pivot, float needleInnerRadius,
               float needleOuterRadius, float holdInnerRadius, float holdOuterRadius);
    CQVXMeter2(const CQVXMeter2& other);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    VELUNOR_CLASS_METHODS(CQVXMeter2, CControl)

    float needleInnerRadius;
    float needleOuterRadius;
    float holdInnerRadius;
    float holdOuterRadius;
    CPoint pivot;
    // Written at every front-panel idle.
    velunor::Relaxed<int32> ledState{kLedDark};
    // Follows the Hold parameter, which may change on any thread.
    velunor::Relaxed<bool> showHold{false};
    SharedPointer<CBitmap> ledBitmap;
    CRect ledRect;

protected:
    // A face of geometry `g` whose top-left corner in the panel is `origin`, with its LED loaded.
    CQVXMeter2(const velunor::scale::FaceGeometry& g, const CPoint& origin, CControlListener* listener);

    // `r` offset from the view's top-left corner, in the panel's coordinates.
    CRect offsetRect(const velunor::scale::Rect& r) const;
    bool hasLed() const { return ledBitmap && ledBitmap->isLoaded(); }
    // Anti-aliased solid lines of the needles' width.
    static void preparePen(CDrawContext* context);
    void drawLed(CDrawContext* context) const;
    // Moves the pen to radius `from` at angle `theta` and draws a line to radius `to`.
    void drawRay(CDrawContext* context, double thetaRadians, double from, double to) const;
    // Continues from the pen position to radius `to` at angle `theta`.
    void lineToRadius(CDrawContext* context, double thetaRadians, double to) const;
};
