#pragma once
// The back panels' stepped knobs: a value maps to a step, and each step to the frame of the knob
// strip that points at its engraved label. Only the drawing differs from CAnimKnob4.

#include "editor/CAnimKnob4.h"

// VU BACKLIT: five steps.
class CVuBackLitKnob : public CAnimKnob4 {
public:
    using CAnimKnob4::CAnimKnob4;
    void draw(CDrawContext* context) override;
    static int32 frameFor(float value);
    VELUNOR_CLASS_METHODS(CVuBackLitKnob, CAnimKnob4)
};

// VU LED REF: four steps.
class CVuLedRefKnob : public CAnimKnob4 {
public:
    using CAnimKnob4::CAnimKnob4;
    void draw(CDrawContext* context) override;
    static int32 frameFor(float value);
    VELUNOR_CLASS_METHODS(CVuLedRefKnob, CAnimKnob4)
};

// PPM LED REF: as the VU one.
class CPpmLedRefKnob : public CVuLedRefKnob {
public:
    using CVuLedRefKnob::CVuLedRefKnob;
    VELUNOR_CLASS_METHODS(CPpmLedRefKnob, CVuLedRefKnob)
};

// VU OVERs: ten steps.
class CVuOverLedKnob : public CAnimKnob4 {
public:
    using CAnimKnob4::CAnimKnob4;
    void draw(CDrawContext* context) override;
    static int32 frameFor(float value);
    VELUNOR_CLASS_METHODS(CVuOverLedKnob, CAnimKnob4)
};

// PPM OVERs: as the VU one.
class CPpmOverLedKnob : public CVuOverLedKnob {
public:
    using CVuOverLedKnob::CVuOverLedKnob;
    VELUNOR_CLASS_METHODS(CPpmOverLedKnob, CVuOverLedKnob)
};

// RMS OVERs: ten steps, the last two engraved a little apart from the VU ones.
class CRmsOverLedKnob : public CAnimKnob4 {
public:
    using CAnimKnob4::CAnimKnob4;
    void draw(CDrawContext* context) override;
    static int32 frameFor(float value);
    VELUNOR_CLASS_METHODS(CRmsOverLedKnob, CAnimKnob4)
};

// RMS LED REF: seven steps.
class CRmsLedRefKnob : public CAnimKnob4 {
public:
    using CAnimKnob4::CAnimKnob4;
    void draw(CDrawContext* context) override;
    static int32 frameFor(float value);
    VELUNOR_CLASS_METHODS(CRmsLedRefKnob, CAnimKnob4)
};
