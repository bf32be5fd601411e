// The plug-in's own controls driven by synthetic mouse and wheel input on an offscreen frame.
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "editor/CAnimKnob4.h"
#include "editor/CFrontReferenceControl.h"
#include "editor/COnOffButtonH.h"
#include "editor/CQVKickButton.h"
#include "editor/CQVXCalibrationControl.h"
#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXLatencyControl.h"
#include "editor/CQVXMeterSelectorControl.h"
#include "editor/CQVXOnOffButton.h"
#include "editor/CQVXSlider.h"
#include "editor/SteppedKnobs.h"
#include "editor/StripActiveButton.h"

using namespace controlstest;
using guitest::frameColor;
using guitest::makeFilmStrip;

namespace {

template <typename T, typename... Args>
T* withStrip(int w, int h, int frames, Args&&... args) {
    CBitmap* strip = makeFilmStrip(w, h, frames);
    T* control = new T(std::forward<Args>(args)..., strip);
    strip->forget();
    return control;
}

// A strip of many frames, each a colour of its own (the shared test strips tell only a few apart).
guitest::Rgba knobColor(int k) { return {4 * k, 255 - 4 * k, 128, 255}; }
CBitmap* knobStrip(int w, int h, int frames) {
    auto* bitmap = new CBitmap(w, h * frames);
    cairo_t* cr = cairo_create(bitmap->getSurface());
    for (int k = 0; k < frames; ++k) {
        const guitest::Rgba c = knobColor(k);
        cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
        cairo_rectangle(cr, 0, k * h, w, h);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(bitmap->getSurface());
    return bitmap;
}

}  // namespace

// ---------------------------------------------------------------- hint texts

TEST(HintTexts, EachTagPicksItsText) {
    const int32 left = 0, right = 1, none = 2;
    struct Case {
        int32 tag;
        float value;
        const int32* zone;
        const char* text;
    } cases[] = {
        {0, 0, nullptr, "Activates the Trim and FILTERS"},
        {1, 0, nullptr, "Click PROCESS to activate the Trim"},
        {68, 0, nullptr, "Click PROCESS to activate the Trim"},
        {6, 0.5f, nullptr, "Shows Strips"},
        {6, 0.51f, nullptr, "Hides Strips"},
        {7, 0, nullptr, "Opens FILTERS editor"},
        {7, 1, nullptr, "Closes FILTERS editor"},
        {8, 0, nullptr, "Click PROCESS to activate FILTERS"},
        {14, 0, nullptr, "Click PROCESS to activate FILTERS"},
        {70, 0, nullptr, "Click PROCESS to activate FILTERS"},
        {71, 0, nullptr, "Click PROCESS to activate FILTERS"},
        {15, 0, nullptr, "Opens LABEL editor"},
        {15, 1, nullptr, "Closes LABEL editor"},
        {72, 0, nullptr, "Click and drag to adjust RMS reference level"},
        {83, 0, nullptr, "Click and drag to adjust VU reference level"},
        {93, 0, nullptr, "Click and drag to adjust PPM reference level"},
        {121, 0, nullptr, "Click to open the manual"},
        {3, 0.0f, &left, "Changes current meter to PPMK"},
        {3, 0.5f, &left, "Changes current meter to VUK"},
        {3, 1.0f, &left, "Changes current meter to RMSK"},
        {3, 0.0f, &right, "Changes current meter to RMSK"},
        {3, 0.5f, &right, "Changes current meter to PPMK"},
        {3, 1.0f, &right, "Changes current meter to VUK"},
        {3, 0.5f, &none, ""},
        {2, 0, nullptr, ""},
        {65, 0, nullptr, ""},
        {69, 0, nullptr, ""},
        {-1, 0, nullptr, ""},
    };
    CHelpHintLabel label(CRect(0, 0, 100, 14));
    for (const Case& c : cases) {
        label.setText("before");
        label.setDirty(false);
        label.setHintText(c.tag, c.value, c.zone);
        EXPECT_STREQ(label.getText(), c.text) << "tag " << c.tag << " value " << c.value;
        EXPECT_TRUE(label.isDirty());
    }
    // A meter index outside 0..2 leaves the text and only asks for a redraw.
    label.setText("kept");
    label.setDirty(false);
    label.setHintText(3, 1.5f, &left);
    EXPECT_STREQ(label.getText(), "kept");
    EXPECT_TRUE(label.isDirty());
}

// ---------------------------------------------------------------- on/off buttons

using OnOffButtons = ControlsFixture;

TEST_F(OnOffButtons, ClickTogglesAsOneGestureAndDrawsItsFrame) {
    auto* b = add(withStrip<CQVXOnOffButton>(20, 10, 2, CRect(10, 20, 30, 30), &listener, 0));
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(0)));
    click(CPoint(15, 25));
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].value, 1.0f);
    EXPECT_TRUE(listener.changes[0].editing);
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 0", "end 0"}));
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(1)));
    // Only the left button switches.
    click(CPoint(15, 25), kRButton);
    EXPECT_EQ(b->getValue(), 1.0f);
    click(CPoint(15, 25));
    EXPECT_EQ(b->getValue(), 0.0f);
}

TEST_F(OnOffButtons, WheelSwitchesByTheFlags) {
    struct Case {
        bool directional, inverted;
        float start, distance, expected;
    } cases[] = {
        // Plain: any notch toggles, a tiny distance does nothing.
        {false, false, 0, 1, 1},
        {false, false, 1, 1, 0},
        {false, false, 0, -1, 1},
        {false, false, 0, 0.05f, 0},
        // Directional, not inverted: the distance is negated, so down (-) switches on.
        {true, false, 0, -1, 1},
        {true, false, 0, 1, 0},
        {true, false, 1, 1, 0},
        {true, false, 1, -1, 1},
        // Directional and inverted: up switches on, down off.
        {true, true, 0, 1, 1},
        {true, true, 1, -1, 0},
        {true, true, 1, 1, 1},
    };
    for (const Case& c : cases) {
        auto* b = add(withStrip<CQVXOnOffButton>(20, 10, 2, CRect(10, 20, 30, 30), &listener, 9));
        b->directionalWheel = c.directional;
        b->invertedWheel = c.inverted;
        b->setValue(c.start);
        listener.changes.clear();
        wheel(CPoint(15, 25), c.distance);
        EXPECT_EQ(b->getValue(), c.expected) << c.directional << c.inverted << " " << c.start << " " << c.distance;
        EXPECT_EQ(listener.changes.size(), c.start != c.expected ? 1u : 0u);
        frame->removeView(b);
    }
}

TEST_F(OnOffButtons, HintButtonsFollowTheirState) {
    auto* strips = add(withStrip<CQVXOnOffButtonH>(20, 10, 2, CRect(10, 20, 30, 30), &listener, 6));
    strips->setHintLabel(hints);
    hover(CPoint(15, 25));
    EXPECT_EQ(hint(), "Shows Strips");
    click(CPoint(15, 25));
    EXPECT_EQ(hint(), "Hides Strips");
    wheel(CPoint(15, 25), 1);
    EXPECT_EQ(hint(), "Shows Strips");
    hover(CPoint(100, 100));
    EXPECT_EQ(hint(), "");

    // The library's button with a hint does not refresh it after a click.
    auto* open = add(withStrip<COnOffButtonH>(20, 10, 2, CRect(40, 20, 60, 30), &listener, 7));
    open->setHintLabel(hints);
    hover(CPoint(45, 25));
    EXPECT_EQ(hint(), "Opens FILTERS editor");
    click(CPoint(45, 25));
    EXPECT_EQ(open->getValue(), 1.0f);
    EXPECT_EQ(hint(), "Opens FILTERS editor");
}

TEST_F(OnOffButtons, InactiveStripButtonIgnoresInputAndAsksForProcess) {
    auto* b = add(withStrip<StripActiveButton>(20, 10, 3, CRect(10, 20, 30, 30), &listener, 9));
    b->setHintLabel(hints);
    b->setValue(1);
    b->active = 0;
    b->setDirty();
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(1)));  // on, dimmed
    hover(CPoint(15, 25));
    EXPECT_EQ(hint(), "Click PROCESS to activate FILTERS");
    click(CPoint(15, 25));
    wheel(CPoint(15, 25), 1);
    EXPECT_EQ(b->getValue(), 1.0f);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_TRUE(editor.calls.empty());

    b->active = 1;
    b->setDirty();
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(2)));  // on, lit
    hover(CPoint(100, 100));
    hover(CPoint(15, 25));
    EXPECT_EQ(hint(), "");  // active: hovering clears
    click(CPoint(15, 25));
    EXPECT_EQ(b->getValue(), 0.0f);
    EXPECT_EQ(hint(), "");  // and a click shows no hint either
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(0)));
}

// ---------------------------------------------------------------- kick button

using KickButtons = ControlsFixture;

TEST_F(KickButtons, PressReportsOnceReleaseReportsNothing) {
    CBitmap* strip = makeFilmStrip(20, 10, 3);
    auto* b = add(new CQVKickButtonH(CRect(10, 20, 30, 30), &listener, 121, 10, strip));
    strip->forget();
    b->setHintLabel(hints);
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(0)));
    hover(CPoint(15, 25));
    EXPECT_EQ(hint(), "Click to open the manual");
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(1)));
    press(CPoint(15, 25));
    EXPECT_TRUE(guitest::near(pixel(15, 25), frameColor(2)));
    move(CPoint(100, 100));
    release(CPoint(100, 100));
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].value, 1.0f);
    EXPECT_EQ(b->getValue(), 0.0f);
    EXPECT_FALSE(b->isPressed());
    EXPECT_EQ(hint(), "");
}

TEST_F(KickButtons, DoubleClickOnly) {
    CBitmap* strip = makeFilmStrip(20, 10, 3);
    auto* b = add(new CQVKickButton(CRect(10, 20, 30, 30), &listener, 5, 10, strip));
    strip->forget();
    b->doubleClickOnly = true;
    struct Case {
        int32 buttons;
        std::size_t reports;
        float value;
    } cases[] = {
        {kLButton, 0, 0},
        {kLButton | kDoubleClick, 1, 1},
        {kLButton | kDoubleClick | kControl, 1, 0.5f},
        {kRButton | kDoubleClick, 0, 0},
    };
    for (const Case& c : cases) {
        listener.changes.clear();
        press(CPoint(15, 25), c.buttons);
        ASSERT_EQ(listener.changes.size(), c.reports) << c.buttons;
        if (c.reports) {
            EXPECT_EQ(listener.changes[0].value, c.value);
        }
        release(CPoint(15, 25));
    }
}

// ---------------------------------------------------------------- slider

class TrimSlider : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        // The front panels' trim: vertical, 1 at the top, a 19-pixel handle in a travel range of 126.
        CBitmap* handle = makeFilmStrip(20, 19, 1);
        slider = add(new CQVXSliderAH(CRect(538, 17, 558, 143), &listener, 1, CPoint(0, 0), 126, handle, nullptr,
                                      CPoint(0, 0), CSlider::kVertical | CSlider::kBottom));
        handle->forget();
        slider->setFineFactor(0.1f);
        slider->setDefaultValue(0.5f);
        slider->setHintLabel(hints);
        slider->setValue(0.5f);
        slider->setDirty();
    }
    // The handle's top for the current value, by the slider's own drawing rule.
    CCoord handleTop() const { return slider->getHandleRect().top; }
    CQVXSliderAH* slider = nullptr;
};

TEST_F(TrimSlider, FullSweepIs107PixelsAnd1070WithShift) {
    slider->setValue(0);
    const CCoord grab = handleTop() + 5;
    press(CPoint(545, grab));
    for (int dy = 1; dy <= 107; ++dy) move(CPoint(545, grab - dy));
    EXPECT_NEAR(slider->getValue(), 1.0f, 1e-5f);
    release(CPoint(545, grab - 107));
    EXPECT_FALSE(slider->isDragging());

    slider->setValue(0);
    press(CPoint(545, handleTop() + 5), kLButton | kShift);
    CCoord y = handleTop() + 5;
    for (int i = 0; i < 535; ++i) move(CPoint(545, --y), kLButton | kShift);
    EXPECT_NEAR(slider->getValue(), 0.5f, 1e-3f);
    release(CPoint(545, y));
    EXPECT_EQ(editor.calls.front(), "begin 1");
    EXPECT_EQ(editor.calls.back(), "end 1");
}

TEST_F(TrimSlider, PressBesideTheHandleWaitsForThePointerToPassIt) {
    slider->setValue(0.5f);
    const CCoord top = handleTop();
    press(CPoint(545, top + 40));  // below the handle
    move(CPoint(545, top + 30));
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());
    move(CPoint(545, top + 10));  // last position still beside it: nothing yet
    EXPECT_EQ(slider->getValue(), 0.5f);
    release(CPoint(545, top + 10));
}

TEST_F(TrimSlider, DoubleClickSetsTheDefaultAndWheelSteps) {
    slider->setValue(0.9f);
    press(CPoint(545, handleTop() + 2), kLButton | kDoubleClick);
    EXPECT_EQ(slider->getValue(), 0.5f);
    ASSERT_EQ(listener.changes.size(), 1u);
    struct Case {
        float distance;
        int32 buttons;
        float expected;
    } cases[] = {
        {1, 0, 0.525f}, {-3, 0, 0.475f}, {1, kShift, 0.5025f}, {0.05f, 0, 0.50125f}, {-0.05f, kShift, 0.499875f},
    };
    for (const Case& c : cases) {
        slider->setValue(0.5f);
        wheel(CPoint(545, 50), c.distance, c.buttons);
        EXPECT_NEAR(slider->getValue(), c.expected, 1e-6f) << c.distance << " " << c.buttons;
    }
    slider->setValue(1.0f);
    listener.changes.clear();
    wheel(CPoint(545, 50), 1);
    EXPECT_EQ(slider->getValue(), 1.0f);
    EXPECT_TRUE(listener.changes.empty());
}

TEST_F(TrimSlider, InactiveIgnoresInputIsHalfOpaqueAndAsksForProcess) {
    const guitest::Rgba lit = pixel(545, static_cast<int>(handleTop()) + 5);
    slider->active = 0;
    slider->setDirty();
    const guitest::Rgba dimmed = pixel(545, static_cast<int>(handleTop()) + 5);
    // Over the frame's black background, half opacity halves every channel.
    EXPECT_NEAR(dimmed.r, lit.r / 2, 2);
    EXPECT_NEAR(dimmed.g, lit.g / 2, 2);

    hover(CPoint(545, 30));
    EXPECT_EQ(hint(), "Click PROCESS to activate the Trim");
    press(CPoint(545, handleTop() + 5));
    move(CPoint(545, handleTop() - 20));
    release(CPoint(545, handleTop() - 20));
    wheel(CPoint(545, 30), 1);
    click(CPoint(545, 30), kLButton | kDoubleClick);
    EXPECT_EQ(slider->getValue(), 0.5f);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_TRUE(editor.calls.empty());

    slider->active = 1;
    hover(CPoint(100, 100));
    EXPECT_EQ(hint(), "");
    hover(CPoint(545, 30));
    EXPECT_EQ(hint(), "");
}

// ---------------------------------------------------------------- knobs

class Knobs : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        CBitmap* strip = knobStrip(20, 10, 51);
        knob = add(new CAnimKnob4(CRect(10, 20, 30, 30), &listener, 83, 51, 10, strip));
        strip->forget();
        knob->setDefaultValue(0.25f);
    }
    CAnimKnob4* knob = nullptr;
};

TEST_F(Knobs, ThousandPixelsUpSweepTheRangeAndShiftMidwayDoesNotJump) {
    press(CPoint(20, 25));
    move(CPoint(20, 25 - 500));
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5f);
    move(CPoint(20 + 500, 25 - 500));  // right counts as much as up
    EXPECT_NEAR(knob->getValue(), 1.0f, 1e-5f);
    release(CPoint(520, -475));

    knob->setValue(0);
    press(CPoint(20, 25));
    move(CPoint(20, 25 - 250));
    EXPECT_NEAR(knob->getValue(), 0.25f, 1e-5f);
    move(CPoint(20, 25 - 250), kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.25f, 1e-5f);  // no jump when Shift comes
    move(CPoint(20, 25 - 250 - 1250), kLButton | kShift);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-4f);  // five times the distance
    move(CPoint(20, 25 - 250 - 1250), kLButton);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-4f);  // nor when it goes
    release(CPoint(20, 0));
}

TEST_F(Knobs, ControlClickAndDoubleClickSetTheDefault) {
    for (int32 buttons : {kLButton | kControl, kLButton | kDoubleClick}) {
        knob->setValue(0.9f);
        listener.changes.clear();
        press(CPoint(20, 25), buttons);
        EXPECT_EQ(knob->getValue(), 0.25f);
        EXPECT_EQ(listener.changes.size(), 1u);
    }
    // No listener, no drag.
    knob->setListener(nullptr);
    knob->setValue(0.5f);
    press(CPoint(20, 25));
    move(CPoint(20, 0));
    EXPECT_EQ(knob->getValue(), 0.5f);
}

TEST_F(Knobs, WheelAndFrames) {
    knob->setValue(0.5f);
    wheel(CPoint(20, 25), 1);
    EXPECT_NEAR(knob->getValue(), 0.51f, 1e-6f);
    wheel(CPoint(20, 25), -1, kShift);
    EXPECT_NEAR(knob->getValue(), 0.509f, 1e-6f);
    knob->setValue(0);
    knob->setDirty();
    EXPECT_TRUE(guitest::near(pixel(20, 25), knobColor(0)));
    knob->setValue(0.51f);  // frame trunc(50 x 0.51 + 0.5) = 26
    knob->setDirty();
    EXPECT_TRUE(guitest::near(pixel(20, 25), knobColor(26)));
}

TEST(SteppedKnobs, FrameTables) {
    struct Case {
        int32 (*frameFor)(float);
        float value;
        int32 frame;
    } cases[] = {
        {CVuBackLitKnob::frameFor, 0.0f, 15}, {CVuBackLitKnob::frameFor, 0.25f, 20},
        {CVuBackLitKnob::frameFor, 0.5f, 25}, {CVuBackLitKnob::frameFor, 0.75f, 30},
        {CVuBackLitKnob::frameFor, 1.0f, 35}, {CVuBackLitKnob::frameFor, 0.12f, 15},
        {CVuLedRefKnob::frameFor, 0.0f, 5},   {CVuLedRefKnob::frameFor, 1 / 3.0f, 19},
        {CVuLedRefKnob::frameFor, 2 / 3.0f, 31}, {CVuLedRefKnob::frameFor, 1.0f, 45},
        {CVuLedRefKnob::frameFor, -0.1f, 0},
        {CVuOverLedKnob::frameFor, 0.0f, 2},  {CVuOverLedKnob::frameFor, 4 / 9.0f, 22},
        {CVuOverLedKnob::frameFor, 8 / 9.0f, 43}, {CVuOverLedKnob::frameFor, 1.0f, 48},
        {CRmsOverLedKnob::frameFor, 8 / 9.0f, 44}, {CRmsOverLedKnob::frameFor, 1.0f, 47},
        {CRmsOverLedKnob::frameFor, 1 / 9.0f, 6},
        {CRmsLedRefKnob::frameFor, 0.0f, 0},  {CRmsLedRefKnob::frameFor, 1 / 6.0f, 8},
        {CRmsLedRefKnob::frameFor, 0.5f, 25}, {CRmsLedRefKnob::frameFor, 1.0f, 50},
    };
    for (const Case& c : cases) EXPECT_EQ(c.frameFor(c.value), c.frame) << c.value;
    // The PPM knobs are the VU ones.
    EXPECT_EQ(&CPpmOverLedKnob::frameFor, &CVuOverLedKnob::frameFor);
    EXPECT_EQ(&CPpmLedRefKnob::frameFor, &CVuLedRefKnob::frameFor);
}

TEST_F(Knobs, SteppedKnobDrawsTheFrameOfItsStep) {
    CBitmap* strip = knobStrip(20, 10, 51);
    auto* backlit = add(new CVuBackLitKnob(CRect(40, 20, 60, 30), &listener, 88, 51, 10, strip));
    strip->forget();
    backlit->setValue(0.5f);
    backlit->setDirty();
    EXPECT_TRUE(guitest::near(pixel(50, 25), knobColor(25)));
    backlit->setValue(0.0f);  // step 0 is frame 15, not frame 0
    backlit->setDirty();
    EXPECT_TRUE(guitest::near(pixel(50, 25), knobColor(15)));
}

TEST_F(Knobs, FrontReferenceControlShowsItsTextAndHint) {
    CBitmap* face = makeFilmStrip(133, 11, 2);
    auto* ref = add(new CFrontReferenceControl(CRect(96, 40, 229, 51), &listener, 83, 51, 11, face));
    face->forget();
    ref->setHintLabel(hints);
    ref->setText("Reference level of thirty bytes and more");
    EXPECT_EQ(std::string(ref->getText()).size(), CFrontReferenceControl::kTextBytes - 1);
    ref->setText("-18 dBFS");
    frame->idle();
    bool textDrawn = false;
    for (int x = 96 + 81; x < 227 && !textDrawn; ++x)
        for (int y = 40; y < 51 && !textDrawn; ++y)
            textDrawn = guitest::pixelAt(frame->getBackBuffer(), x, y).r > 150;
    EXPECT_TRUE(textDrawn);
    hover(CPoint(150, 45));
    EXPECT_EQ(hint(), "Click and drag to adjust VU reference level");
    hover(CPoint(150, 100));
    EXPECT_EQ(hint(), "");
}

// ---------------------------------------------------------------- lag time

class LagTime : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        lag = add(withStrip<CQVXLatencyControl>(28, 40, 3, CRect(100, 100, 128, 140), &listener, 16));
        lag->wheelStep = 1 / 99.9f;
        lag->setDefaultValue(0);
    }
    CQVXLatencyControl* lag = nullptr;
};

TEST_F(LagTime, ArrowsStepTenOrOneMillisecond) {
    struct Case {
        CPoint where;
        int32 buttons;
        int32 expectedMs;
    } cases[] = {
        {CPoint(114, 105), kLButton, 110},          {CPoint(114, 114), kLButton | kShift, 101},
        {CPoint(114, 130), kLButton, 90},           {CPoint(114, 126), kLButton | kShift, 99},
        {CPoint(124, 105), kLButton, 110},          // within 10 pixels of the centre (114)
        {CPoint(114, 120), kLButton, 100},          // between the arrows: a drag starts
    };
    for (const Case& c : cases) {
        lag->setValue(100 / 999.0f);
        listener.changes.clear();
        press(c.where, c.buttons);
        release(c.where);
        EXPECT_EQ(lag->getMilliseconds(), c.expectedMs) << c.where.x << "," << c.where.y;
        EXPECT_EQ(listener.changes.size(), c.expectedMs != 100 ? 1u : 0u);
    }
}

TEST_F(LagTime, DragUpFivePixelsAddsTenMsAndDoubleClickRaisesTheFlag) {
    lag->setValue(0);
    press(CPoint(104, 120));
    move(CPoint(104, 115));
    EXPECT_EQ(lag->getMilliseconds(), 10);
    move(CPoint(104, 105), kLButton | kShift);
    EXPECT_EQ(lag->getMilliseconds(), 11);
    release(CPoint(104, 105));

    lag->setValue(0.3f);
    press(CPoint(104, 120), kLButton | kDoubleClick);
    EXPECT_TRUE(lag->doubleClicked);
    EXPECT_EQ(lag->getValue(), 0.0f);

    lag->setValue(0.5f);
    wheel(CPoint(110, 120), 1);
    EXPECT_EQ(lag->getMilliseconds(), 510);
}

// ---------------------------------------------------------------- calibration selector

using Calibration = ControlsFixture;

TEST_F(Calibration, ZonesAndWheel) {
    auto* cal = add(withStrip<CQVXCalibrationControl>(40, 12, 3, CRect(0, 40, 40, 52), &listener, 2));
    struct Case {
        CCoord x;
        float start, expected;
    } cases[] = {{0, 1, 0}, {13, 1, 0}, {14, 0, 0.5f}, {25, 0, 0.5f}, {26, 0, 1}, {37, 0, 1}, {39, 0.5f, 0.5f}};
    for (const Case& c : cases) {
        cal->setValue(c.start);
        listener.changes.clear();
        click(CPoint(c.x, 45));
        EXPECT_EQ(cal->getValue(), c.expected) << c.x;
        EXPECT_EQ(listener.changes.size(), 1u);  // always told
    }
    EXPECT_TRUE(editor.calls.empty());  // and not as a gesture
    cal->setValue(1);
    cal->setDirty();
    EXPECT_TRUE(guitest::near(pixel(5, 45), frameColor(2)));
    wheel(CPoint(5, 45), 1);
    EXPECT_EQ(cal->getValue(), 1.0f);
    wheel(CPoint(5, 45), -1);
    EXPECT_EQ(cal->getValue(), 0.5f);
    cal->setValue(0.3f);
    wheel(CPoint(5, 45), 0.05f);  // no notch: only quantised
    EXPECT_EQ(cal->getValue(), 0.5f);
}

// ---------------------------------------------------------------- meter selector

class MeterSelector : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        selector = add(withStrip<CQVXMeterSelectorControl>(150, 24, 3, CRect(195, 144, 345, 168), &listener));
        selector->setHintLabel(hints);
    }
    CQVXMeterSelectorControl* selector = nullptr;
};

TEST_F(MeterSelector, ArrowsWrapAndNameTheMeterTheySelect) {
    struct Case {
        float start;
        CCoord x;
        const char* hintBefore;
        float expected;
    } cases[] = {
        {0.0f, 200, "Changes current meter to PPMK", 1.0f}, {0.0f, 340, "Changes current meter to RMSK", 0.5f},
        {1.0f, 340, "Changes current meter to VUK", 0.0f},  {0.5f, 215, "Changes current meter to VUK", 0.0f},
        {0.5f, 325, "Changes current meter to PPMK", 1.0f},
    };
    for (const Case& c : cases) {
        selector->setValue(c.start);
        hover(CPoint(c.x, 150));
        EXPECT_EQ(hint(), c.hintBefore);
        listener.changes.clear();
        click(CPoint(c.x, 150));
        EXPECT_EQ(selector->getValue(), c.expected);
        ASSERT_EQ(listener.changes.size(), 1u);
        EXPECT_EQ(listener.changes[0].tag, 3);
    }
    EXPECT_TRUE(editor.calls.empty());
}

TEST_F(MeterSelector, MiddleClickReportsTheBackPanelButtonOnly) {
    selector->setValue(0.5f);
    click(CPoint(270, 150));
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].tag, 65);
    EXPECT_EQ(listener.changes[0].control, selector->getBackPanelButton());
    EXPECT_EQ(listener.changes[0].value, 1.0f);
    EXPECT_EQ(selector->getValue(), 0.5f);
}

TEST_F(MeterSelector, HoverLightsTheArrowAndLeavingClearsIt) {
    hover(CPoint(200, 150));
    EXPECT_EQ(selector->getHoverZone(), 0);
    EXPECT_TRUE(guitest::near(pixel(270, 150), frameColor(1)));
    hover(CPoint(340, 150));
    EXPECT_TRUE(guitest::near(pixel(270, 150), frameColor(2)));
    hover(CPoint(270, 150));
    EXPECT_EQ(hint(), "");
    hover(CPoint(340, 150));
    hover(CPoint(270, 190));
    EXPECT_EQ(selector->getHoverZone(), 2);
    EXPECT_EQ(hint(), "");
    EXPECT_TRUE(guitest::near(pixel(270, 150), frameColor(0)));
}

TEST_F(MeterSelector, WheelStopsAtTheEnds) {
    selector->setValue(0);
    wheel(CPoint(270, 150), -1);
    EXPECT_EQ(selector->getValue(), 0.0f);
    wheel(CPoint(270, 150), 1);
    wheel(CPoint(270, 150), 1);
    EXPECT_EQ(selector->getValue(), 1.0f);
    listener.changes.clear();
    wheel(CPoint(270, 150), 1);
    EXPECT_EQ(selector->getValue(), 1.0f);
    EXPECT_TRUE(listener.changes.empty());
}

// ---------------------------------------------------------------- horizontal switch

using Switches = ControlsFixture;

TEST_F(Switches, WheelStepsOnePositionAndInactiveIgnores) {
    auto* sw = add(withStrip<CQVXHorizontalSwitchAH>(30, 10, 3, CRect(10, 60, 40, 70), &listener, 10));
    sw->setHintLabel(hints);
    wheel(CPoint(15, 65), 1);
    EXPECT_EQ(sw->getValue(), 0.5f);
    wheel(CPoint(15, 65), 0.05f);
    EXPECT_EQ(sw->getValue(), 0.5f);
    wheel(CPoint(15, 65), 1);
    wheel(CPoint(15, 65), 1);
    EXPECT_EQ(sw->getValue(), 1.0f);
    click(CPoint(12, 65));
    EXPECT_EQ(sw->getValue(), 0.0f);

    sw->active = 0;
    hover(CPoint(100, 100));
    hover(CPoint(15, 65));
    EXPECT_EQ(hint(), "Click PROCESS to activate FILTERS");
    click(CPoint(35, 65));
    wheel(CPoint(15, 65), 1);
    EXPECT_EQ(sw->getValue(), 0.0f);
}

// ---------------------------------------------------------------- copies

TEST(ControlCopies, CarryTheirOwnFieldsAndClassNames) {
    guitest::RecordingListener listener;
    CBitmap* strip = makeFilmStrip(20, 10, 2);
    CQVXOnOffButtonAH button(CRect(0, 0, 20, 10), &listener, 9, strip);
    button.directionalWheel = true;
    button.active = 0;
    CView* copy = button.newCopy();
    auto* b = dynamic_cast<CQVXOnOffButtonAH*>(copy);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->directionalWheel);
    EXPECT_EQ(b->active, 0);
    EXPECT_TRUE(copy->isTypeOf("CQVXOnOffButtonAH"));
    EXPECT_TRUE(copy->isTypeOf("CQVXOnOffButton"));
    EXPECT_TRUE(copy->isTypeOf("CControl"));
    EXPECT_FALSE(copy->isTypeOf("CSlider"));
    copy->forget();

    CQVXMeterSelectorControl selector(CRect(0, 0, 150, 24), &listener, strip);
    CView* selectorCopy = selector.newCopy();
    auto* s = dynamic_cast<CQVXMeterSelectorControl*>(selectorCopy);
    ASSERT_NE(s, nullptr);
    EXPECT_NE(s->getBackPanelButton(), selector.getBackPanelButton());
    EXPECT_EQ(s->getBackPanelButton()->getTag(), 65);
    selectorCopy->forget();
    strip->forget();
}
