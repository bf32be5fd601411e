#pragma once
// The VU needle instrument. It draws its own face from a film strip of five tints (the BACKLIT
// setting picks one), and after the needles the face's bottom bezel strip once more, so that the
// needles seem to pass under the bezel.

#include "views/CQVXMeter2.h"

class CQVXVUMeter2 : public CQVXMeter2 {
public:
    static constexpr int kFaceBitmapId = 40007;

    // `origin` is the view's top-left corner in the front panel.
    CQVXVUMeter2(const CPoint& origin, CControlListener* listener);
    ~CQVXVUMeter2() override;

    void draw(CDrawContext* context) override;

    // Linear levels, 1.0 = 0 VU.
    velunor::Relaxed<float> needleValue{-0.05f};
    velunor::Relaxed<float> holdValue{-0.05f};
    SharedPointer<CBitmap> faceBitmap;
    // Follows the BACKLIT setting, which may change on any thread; 0 warmest .. 4 coldest.
    velunor::Relaxed<int32> tintIndex{0};
    CRect stripRect;
};
