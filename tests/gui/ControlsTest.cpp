// The standard controls driven through an offscreen frame with synthetic mouse and wheel input:
// their values, their edit gestures (which reach the editor by tag), their notifications and the
// film-strip frame each one draws.
#include <gtest/gtest.h>

#include <cmath>

#include "GuiTestSupport.h"
#include "gui/CAnimKnob.h"
#include "gui/CHorizontalSwitch.h"
#include "gui/CKickButton.h"
#include "gui/CMovieBitmap.h"
#include "gui/COnOffButton.h"
#include "gui/CRockerSwitch.h"
#include "gui/CSlider.h"
#include "gui/CTextLabel.h"

using namespace guitest;

namespace {

struct Controls : ::testing::Test {
    RecordingListener listener;
    RecordingEditor editor;
    CFrame* frame = makeOffscreenFrame(300, 200, &editor);
    void TearDown() override { frame->close(); }

    template <typename T>
    T* add(T* control) {
        frame->addView(control);
        return control;
    }
    void click(const CPoint& p, int32 buttons = kLButton) {
        frame->platformOnMouseDown(p, buttons);
        frame->platformOnMouseUp(p, buttons);
    }
    void drag(const CPoint& from, const CPoint& to, int32 buttons = kLButton) {
        frame->platformOnMouseDown(from, buttons);
        frame->platformOnMouseMoved(to, buttons);
        frame->platformOnMouseUp(to, buttons);
    }
    Rgba pixel(int x, int y) {
        frame->idle();
        return pixelAt(frame->getBackBuffer(), x, y);
    }
    std::vector<float> values() const {
        std::vector<float> out;
        for (auto& c : listener.changes) out.push_back(c.value);
        return out;
    }
};

}  // namespace

TEST_F(Controls, ControlDefaultsAndClamping) {
    CControl control(CRect(0, 0, 10, 10), &listener, 7);
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getMin(), 0.0f);
    EXPECT_EQ(control.getMax(), 1.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_EQ(control.getTag(), 7);
    for (auto [in, out] : {std::pair{1.5f, 1.0f}, {-0.5f, 0.0f}, {0.25f, 0.25f}, {NAN, 0.0f}}) {
        control.setValue(in);
        EXPECT_EQ(control.getValue(), out) << in;
    }
    EXPECT_TRUE(listener.changes.empty()) << "setValue does not notify";
    EXPECT_FALSE(control.isDirty()) << "setValue does not redraw";
}

TEST_F(Controls, OnOffButtonTogglesBetweenBeginAndEndEditAndDrawsItsHalf) {
    CBitmap* strip = makeFilmStrip(20, 10, 2);
    auto* button = add(new COnOffButton(CRect(10, 10, 30, 20), &listener, 4, strip));
    strip->forget();
    EXPECT_EQ(pixel(15, 15), frameColor(0));

    EXPECT_EQ(frame->platformOnMouseDown(CPoint(15, 15), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].value, 1.0f);
    EXPECT_TRUE(listener.changes[0].editing) << "notified inside the edit gesture";
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 4", "end 4"}));
    EXPECT_EQ(pixel(15, 15), frameColor(1)) << "on draws the lower half";
    EXPECT_FALSE(button->isEditing());

    EXPECT_EQ(frame->platformOnMouseDown(CPoint(15, 15), kRButton), kMouseEventNotHandled);
    click(CPoint(15, 15));
    EXPECT_EQ(values(), (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(pixel(15, 15), frameColor(0));
}

TEST_F(Controls, KickButtonIsMaxOnlyWhilePressedOverIt) {
    CBitmap* strip = makeFilmStrip(20, 10, 2);
    auto* kick = add(new CKickButton(CRect(10, 10, 30, 20), &listener, 121, 10, strip));
    strip->forget();
    frame->platformOnMouseDown(CPoint(15, 15), kLButton);
    EXPECT_TRUE(kick->isEditing());
    EXPECT_EQ(kick->getValue(), 1.0f);
    EXPECT_EQ(pixel(15, 15), frameColor(1));
    frame->platformOnMouseMoved(CPoint(50, 50), kLButton);
    EXPECT_EQ(kick->getValue(), 0.0f) << "dragged off, it lets go";
    frame->platformOnMouseMoved(CPoint(16, 15), kLButton);
    frame->platformOnMouseUp(CPoint(16, 15), kLButton);
    EXPECT_EQ(values(), (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 121", "end 121"}));
    EXPECT_EQ(pixel(15, 15), frameColor(0));
}

TEST_F(Controls, SliderPlacesItsHandleOnItsTravelForEachStyle) {
    // Background 110 x 20; handle 10 x 20; range 110 leaves 100 pixels of travel.
    struct Case {
        int32 style;
        float value;
        CCoord handleLeft, handleTop;
    };
    const Case cases[] = {
        {CSlider::kHorizontal | CSlider::kLeft, 0.0f, 5, 0},   // style 9: minimum at the left
        {CSlider::kHorizontal | CSlider::kLeft, 0.5f, 55, 0},
        {CSlider::kHorizontal | CSlider::kLeft, 0.333f, 38, 0},  // floor, not round
        {CSlider::kHorizontal | CSlider::kRight, 0.0f, 105, 0},
        {CSlider::kVertical | CSlider::kBottom, 0.0f, 0, 105},
        {CSlider::kVertical | CSlider::kBottom, 1.0f, 0, 5},
        {CSlider::kVertical | CSlider::kTop, 0.25f, 0, 30},
    };
    CBitmap* handleH = makeFilmStrip(10, 20, 1);
    CBitmap* handleV = makeFilmStrip(20, 10, 1);
    for (const Case& c : cases) {
        const bool horizontal = c.style & CSlider::kHorizontal;
        CSlider slider(horizontal ? CRect(0, 0, 120, 20) : CRect(0, 0, 20, 120), &listener, 1,
                       horizontal ? CPoint(5, 0) : CPoint(0, 5), 110, horizontal ? handleH : handleV, nullptr,
                       CPoint(0, 0), c.style);
        slider.setValue(c.value);
        EXPECT_EQ(slider.getTravel(), 100);
        EXPECT_EQ(slider.getHandleRect().getTopLeft(), CPoint(c.handleLeft, c.handleTop))
            << "style " << c.style << " value " << c.value;
    }
    handleH->forget();
    handleV->forget();
}

TEST_F(Controls, SliderFollowsADragKeepsTheGripAndStepsOnTheWheel) {
    CBitmap* handle = makeFilmStrip(10, 20, 1);
    auto* slider = add(new CSlider(CRect(100, 50, 220, 70), &listener, 2, CPoint(5, 0), 110, handle, nullptr,
                                   CPoint(0, 0), CSlider::kHorizontal | CSlider::kLeft));
    handle->forget();
    // The handle spans x 105..115 at value 0; grab it 3 pixels in and move 50 to the right.
    frame->platformOnMouseDown(CPoint(108, 60), kLButton);
    EXPECT_EQ(slider->getValue(), 0.0f) << "grabbing the handle does not move it";
    EXPECT_TRUE(slider->isEditing());
    frame->platformOnMouseMoved(CPoint(158, 60), kLButton);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    frame->platformOnMouseMoved(CPoint(400, 60), kLButton);
    EXPECT_EQ(slider->getValue(), 1.0f) << "clamped at the end of the travel";
    frame->platformOnMouseUp(CPoint(400, 60), kLButton);
    EXPECT_FALSE(slider->isEditing());
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 2", "end 2"}));
    EXPECT_EQ(pixelAt(frame->getBackBuffer(), 210, 60), frameColor(0)) << "redrawn at once at the far end";

    listener.changes.clear();
    frame->platformOnMouseWheel(CPoint(150, 60), kMouseWheelAxisY, -1.0f, 0);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.9f);
    frame->platformOnMouseWheel(CPoint(150, 60), kMouseWheelAxisY, -1.0f, kShift);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.89f) << "Shift steps finer";
    frame->platformOnMouseWheel(CPoint(150, 60), kMouseWheelAxisX, -1.0f, 0);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.89f) << "the horizontal wheel does not reach controls";
    EXPECT_EQ(listener.changes.size(), 2u);

    slider->setDefaultValue(0.25f);
    click(CPoint(150, 60), kLButton | kControl);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.25f) << "Control-click restores the default";
}

TEST_F(Controls, KnobInLinearModeSweepsItsRangeOverTwoHundredPixels) {
    editor.knobMode = kLinearMode;
    auto* knob = add(new CKnob(CRect(0, 0, 40, 40), &listener, 9, nullptr, nullptr));
    frame->platformOnMouseDown(CPoint(20, 20), kLButton);
    EXPECT_EQ(knob->getValue(), 0.0f) << "a linear press does not jump";
    frame->platformOnMouseMoved(CPoint(20, -80), kLButton);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f) << "up increases";
    frame->platformOnMouseMoved(CPoint(70, -80), kLButton);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.75f) << "right increases";
    // Shift mid-drag continues from the current value and needs ten times the distance.
    frame->platformOnMouseMoved(CPoint(70, -80), kLButton | kShift);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.75f);
    frame->platformOnMouseMoved(CPoint(70, -280), kLButton | kShift);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.85f);
    frame->platformOnMouseUp(CPoint(70, -280), kLButton | kShift);
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 9", "end 9"}));
    EXPECT_EQ(listener.changes.size(), 3u);
}

TEST_F(Controls, KnobInCircularModeFollowsThePointersAngle) {
    auto* knob = add(new CKnob(CRect(0, 0, 40, 40), &listener, 9, nullptr, nullptr));
    struct Case {
        CPoint where;
        float value;
    };
    // The arc runs clockwise from lower left (225 degrees) to lower right (-45 degrees); below
    // the centre, in the gap, the nearer end wins (straight down is a tie, taken by the start).
    for (const Case& c : {Case{{2, 38}, 0.0f}, Case{{20, 0}, 0.5f}, Case{{39, 20}, 225.0f / 270.0f},
                          Case{{38, 38}, 1.0f}, Case{{20, 39}, 0.0f}}) {
        frame->platformOnMouseDown(c.where, kLButton);
        frame->platformOnMouseUp(c.where, kLButton);
        EXPECT_NEAR(knob->getValue(), c.value, 1e-5) << c.where.x << "," << c.where.y;
    }
    EXPECT_NEAR(knob->valueToPoint(0.5f).x, 20, 1e-4);
    EXPECT_NEAR(knob->valueToPoint(0.5f).y, 3, 1e-4) << "the handle's tip, inset from the edge";
}

TEST_F(Controls, FilmStripControlsDrawTheRoundedFrameOfTheirValue) {
    struct Case {
        float value;
        int frame;
    };
    // Five frames: frame = int(v * 4 + 0.5).
    const Case cases[] = {{0.0f, 0}, {0.12f, 0}, {0.13f, 1}, {0.5f, 2}, {0.874f, 3}, {0.876f, 4}, {1.0f, 4}};
    CBitmap* strip = makeFilmStrip(10, 10, 5);
    auto* anim = add(new CAnimKnob(CRect(0, 0, 10, 10), &listener, 1, 5, 10, strip));
    auto* animByHeight = add(new CAnimKnob(CRect(20, 0, 30, 10), &listener, 1, strip));
    auto* movie = add(new CMovieBitmap(CRect(40, 0, 50, 10), &listener, 1, 5, 10, strip));
    auto* sw = add(new CHorizontalSwitch(CRect(60, 0, 70, 10), &listener, 1, strip));
    strip->forget();
    EXPECT_EQ(animByHeight->getNumSubPixmaps(), 5);
    for (const Case& c : cases) {
        for (CControl* control : std::initializer_list<CControl*>{anim, animByHeight, movie, sw}) {
            control->setValue(c.value);
            control->setDirty();
        }
        frame->idle();
        for (int x : {5, 25, 45, 65})
            EXPECT_EQ(pixelAt(frame->getBackBuffer(), x, 5), frameColor(c.frame)) << "value " << c.value << " x " << x;
    }
}

TEST_F(Controls, HorizontalSwitchSelectsTheCellUnderThePointerAndFollowsADrag) {
    CBitmap* strip = makeFilmStrip(40, 10, 4);
    auto* sw = add(new CHorizontalSwitch(CRect(100, 0, 140, 10), &listener, 5, 4, 10, 4, strip));
    strip->forget();
    frame->platformOnMouseDown(CPoint(125, 5), kLButton);  // cell int(25 / 10) = 2
    EXPECT_FLOAT_EQ(sw->getValue(), 2.0f / 3.0f);
    frame->platformOnMouseMoved(CPoint(101, 5), kLButton);
    EXPECT_EQ(sw->getValue(), 0.0f);
    frame->platformOnMouseMoved(CPoint(180, 5), kLButton);
    EXPECT_EQ(sw->getValue(), 1.0f) << "beyond the right edge: the last position";
    frame->platformOnMouseUp(CPoint(180, 5), kLButton);
    EXPECT_EQ(values(), (std::vector<float>{2.0f / 3.0f, 0.0f, 1.0f}));
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 5", "end 5"}));
    EXPECT_EQ(pixelAt(frame->getBackBuffer(), 120, 5), frameColor(3));
}

TEST_F(Controls, RockerSwitchGoesToAnEndWhilePressedAndBackToRest) {
    CBitmap* strip = makeFilmStrip(20, 10, 3);
    auto* rocker = add(new CRockerSwitch(CRect(0, 0, 20, 10), &listener, 6, 10, strip));
    strip->forget();
    EXPECT_EQ(rocker->getValue(), 0.0f);
    frame->platformOnMouseDown(CPoint(2, 5), kLButton);
    EXPECT_EQ(rocker->getValue(), -1.0f);
    EXPECT_EQ(pixel(10, 5), frameColor(0));
    frame->platformOnMouseUp(CPoint(2, 5), kLButton);
    EXPECT_EQ(pixel(10, 5), frameColor(1));
    click(CPoint(15, 5));
    frame->platformOnMouseWheel(CPoint(15, 5), kMouseWheelAxisY, -1.0f, 0);
    EXPECT_EQ(values(), (std::vector<float>{-1.0f, 0.0f, 1.0f, 0.0f, -1.0f, 0.0f}));
}

TEST_F(Controls, ADisplayOnlyControlTakesNoClicks) {
    CBitmap* strip = makeFilmStrip(10, 10, 2);
    add(new CMovieBitmap(CRect(0, 0, 10, 10), &listener, 1, 2, 10, strip));
    strip->forget();
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(5, 5), kLButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.changes.empty());
}

TEST_F(Controls, CopiesKeepTheirSettingsAndTheirOwnBitmapReferences) {
    CBitmap* strip = makeFilmStrip(10, 10, 2);
    COnOffButton original(CRect(0, 0, 10, 10), &listener, 4, strip);
    original.setValue(1.0f);
    CView* copy = original.newCopy();
    EXPECT_EQ(strip->getNbReference(), 3);
    auto* button = dynamic_cast<COnOffButton*>(copy);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getTag(), 4);
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_TRUE(button->isTypeOf("COnOffButton"));
    EXPECT_TRUE(button->isTypeOf("CControl"));
    EXPECT_TRUE(button->isTypeOf("CBaseObject"));
    EXPECT_FALSE(button->isTypeOf("CSlider"));
    copy->forget();
    EXPECT_EQ(strip->getNbReference(), 2);
    strip->forget();
}
