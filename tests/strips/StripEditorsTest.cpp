// The strips built, laid out, kept up to date and used with synthetic input on an offscreen frame.

#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "editor/COnOffButtonH.h"
#include "editor/CMyTextEdit.h"
#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXLatencyControl.h"
#include "editor/CQVXOnOffButton.h"
#include "editor/CQVXSlider.h"
#include "editor/CQVXTapeLabel.h"
#include "editor/StripActiveButton.h"
#include "gui/CMovieBitmap.h"
#include "tests/strips/StripsFixture.h"

namespace stripstest {
namespace {

using namespace velunor;

struct Placed {
    CControl* control;
    const char* className;
    CRect rect;
    int32 tag;
};

void expectPlaced(const std::vector<Placed>& table) {
    for (const Placed& p : table) {
        ASSERT_NE(p.control, nullptr) << p.className;
        EXPECT_STREQ(p.control->getClassName(), p.className);
        EXPECT_EQ(p.control->getViewSize(), p.rect) << p.className << " tag " << p.tag;
        EXPECT_EQ(p.control->getTag(), p.tag) << p.className;
    }
}

// The middle of a slider's handle, in frame coordinates.
CPoint handleOf(StripEditor* strip, CQVXSliderAH* slider) {
    return strip->getContainer()->getViewSize().getTopLeft() + slider->getHandleRect().getCenter();
}

int backgroundId(const StripEditor* strip) { return strip->getContainer()->getBackground()->getResourceId(); }

TEST_F(StripsFixture, EveryControlAtItsPlaceWithItsParameterValue) {
    set(kProcess, 1.0f);
    set(kShowFilters, 1.0f);
    set(kFiltersIn, 1.0f);
    set(kHighPassState, 1.0f);
    set(kHighPassSlope, 1.0f);
    set(kHighPassFrequency, 0.25f);
    set(kLowPassFrequency, 0.75f);
    set(kShowLabel, 1.0f);
    set(kLagTime, 0.5f);
    effect->setLabel("Drums");
    // Built from the effect as it stands now.
    filters->open(frame);
    label->open(frame);

    StripFiltersEditor* f = filters->get(StripForm::open, 1);
    expectPlaced({
        {f->filtersInButton(), "StripActiveButton", CRect(541, 4, 571, 34), 8},
        {f->showButton(), "COnOffButtonH", CRect(574, 0, 586, 13), 7},
        {f->highPassInButton(), "CQVXOnOffButtonAH", CRect(16, 20, 52, 42), 9},
        {f->lowPassInButton(), "CQVXOnOffButtonAH", CRect(281, 20, 317, 42), 12},
        {f->highPassSlider(), "CQVXSliderAH", CRect(58, 10, 220, 42), 11},
        {f->lowPassSlider(), "CQVXSliderAH", CRect(323, 10, 485, 42), 14},
        {f->highPassSlopeSwitch(), "CQVXHorizontalSwitchAH", CRect(223, 8, 271, 38), 10},
        {f->lowPassSlopeSwitch(), "CQVXHorizontalSwitchAH", CRect(489, 8, 537, 38), 13},
        {f->highPassText(), "CMyTextEditAH", CRect(81, 0, 123, 15), 70},
        {f->lowPassText(), "CMyTextEditAH", CRect(418, 0, 460, 15), 71},
    });
    EXPECT_EQ(f->getContainer()->getNbViews(), 10);
    for (int32 index = kShowFilters; index <= kLowPassFrequency; ++index) {
        CControl* c = nullptr;
        for (int32 i = 0; i < f->getContainer()->getNbViews(); ++i)
            if (auto* v = dynamic_cast<CControl*>(f->getContainer()->getView(i)); v && v->getTag() == index) c = v;
        ASSERT_NE(c, nullptr) << index;
        EXPECT_FLOAT_EQ(c->getValue(), get(index)) << index;
    }
    char display[64];
    effect->getParameterDisplay(kLowPassFrequency, display);
    EXPECT_STREQ(f->lowPassText()->getText(), display);
    EXPECT_EQ(f->highPassText()->getBackground(), f->getContainer()->getBackground());
    EXPECT_EQ(f->highPassText()->getBackOffset(), CPoint(81, 0));

    StripFiltersEditor* fc = filters->get(StripForm::closed, 1);
    expectPlaced({
        {fc->showButton(), "COnOffButtonH", CRect(574, 0, 586, 13), 7},
        {fc->caption(), "CMovieBitmap", CRect(503, 2, 545, 11), 102},
        {fc->filtersInButton(), "StripActiveButton", CRect(547, 1, 571, 12), 8},
    });
    EXPECT_EQ(fc->getContainer()->getNbViews(), 3);
    EXPECT_EQ(fc->highPassSlider(), nullptr);

    StripLabelEditor* l = label->get(StripForm::open, 2);
    expectPlaced({
        {l->showButton(), "COnOffButtonH", CRect(574, 0, 586, 13), 15},
        {l->lagTimeControl(), "CQVXLatencyControl", CRect(541, 1, 569, 121), 16},
        {l->trackLabel(), "CQVXTapeLabel", CRect(17, 1, 523, 35), 69},
    });
    EXPECT_FLOAT_EQ(l->lagTimeControl()->getValue(), 0.5f);
    EXPECT_FLOAT_EQ(l->showButton()->getValue(), 1.0f);
    EXPECT_STREQ(l->trackLabel()->getText(), "Drums");

    StripLabelEditor* lc = label->get(StripForm::closed, 2);
    expectPlaced({
        {lc->showButton(), "COnOffButtonH", CRect(574, 0, 586, 13), 15},
        {lc->caption(), "CMovieBitmap", CRect(506, 2, 566, 11), 102},
    });
    EXPECT_EQ(lc->getContainer()->getNbViews(), 2);
}

TEST_F(StripsFixture, EachMeterAndFormHasItsBitmapAndHeight) {
    struct Row {
        int meter;
        int filtersOpen, labelOpen, closed;
    };
    for (const Row& r : {Row{0, 31000, 34000, 40100}, Row{1, 31100, 34100, 41100}, Row{2, 31200, 34200, 42100}}) {
        SCOPED_TRACE(r.meter);
        EXPECT_EQ(backgroundId(filters->get(StripForm::open, r.meter)), r.filtersOpen);
        EXPECT_EQ(backgroundId(label->get(StripForm::open, r.meter)), r.labelOpen);
        EXPECT_EQ(backgroundId(filters->get(StripForm::closed, r.meter)), r.closed);
        EXPECT_EQ(backgroundId(label->get(StripForm::closed, r.meter)), r.closed);
        EXPECT_EQ(filters->get(StripForm::open, r.meter)->getHeight(), 53);
        EXPECT_EQ(label->get(StripForm::open, r.meter)->getHeight(), 39);
        EXPECT_EQ(filters->get(StripForm::closed, r.meter)->getHeight(), 13);
        EXPECT_EQ(label->get(StripForm::closed, r.meter)->getHeight(), 13);
    }
    EXPECT_EQ(filters->get(StripForm::open, 3), nullptr);
    EXPECT_EQ(filters->get(StripForm::open, -1), nullptr);
}

TEST_F(StripsFixture, TheHolderShowsOneStripOfItsFormAndMeter) {
    auto attached = [this](auto& holder) {
        std::vector<std::pair<StripForm, int>> shown;
        for (int meter = 0; meter < 3; ++meter)
            for (StripForm form : {StripForm::open, StripForm::closed}) {
                auto* strip = holder->get(form, meter);
                EXPECT_EQ(strip->isShown(), frame->isChild(strip->getContainer()));
                if (strip->isShown()) shown.emplace_back(form, meter);
            }
        return shown;
    };
    EXPECT_TRUE(attached(filters).empty());

    filters->showOpen(CPoint(0, 169), 1);
    EXPECT_EQ(attached(filters), (std::vector<std::pair<StripForm, int>>{{StripForm::open, 1}}));
    EXPECT_EQ(filters->get(StripForm::open, 1)->getContainer()->getViewSize(), CRect(0, 169, 586, 222));

    filters->showClosed(CPoint(0, 169), 2);
    EXPECT_EQ(attached(filters), (std::vector<std::pair<StripForm, int>>{{StripForm::closed, 2}}));
    label->showClosed(CPoint(0, 182), 2);
    EXPECT_EQ(label->get(StripForm::closed, 2)->getContainer()->getViewSize(), CRect(0, 182, 586, 195));

    // A meter outside 0..2 shows nothing, and its gestures reach no strip.
    filters->showOpen(CPoint(0, 169), 3);
    EXPECT_TRUE(attached(filters).empty());
    set(kProcess, 1.0f);
    const float highPassState = get(kHighPassState);
    CControl* hiddenButton = filters->get(StripForm::open, 0)->highPassInButton();
    hiddenButton->setValue(1.0f - highPassState);
    filters->valueChanged(hiddenButton);
    EXPECT_EQ(get(kHighPassState), highPassState);

    // A strip that is not the current one ignores gestures too.
    filters->showOpen(CPoint(0, 169), 1);
    filters->valueChanged(hiddenButton);
    EXPECT_EQ(get(kHighPassState), highPassState);
}

TEST_F(StripsFixture, TypedFrequencies) {
    // The named points of the two laws: 20 Hz x 100^v and 300 Hz x 100^v.
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueFromText("2k"), 1.0f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::highPassValueFromText("200"), 0.5f);
    EXPECT_FLOAT_EQ(StripFiltersEditor::lowPassValueFromText("3000"), 0.5f);

    // How each text is read, in hertz: "k" is the decimal point times 1000, and the low-pass field
    // takes a bare 0.3 to 30 as kilohertz.
    struct Case {
        const char* text;
        double highPassHz, lowPassHz;
    };
    const Case cases[] = {
        {"2k", 2000, 2000},    {"200", 200, 200},    {"5", 5, 5000},        {"3", 3, 3000},
        {"3k", 3000, 3000},    {"3000", 3000, 3000}, {"0.2", 0.2, 0.2},  {"30", 30, 30000},
        {"0.3", 0.3, 300},     {"30.5", 30.5, 30.5}, {"1k5", 1500, 1500}, {"0.5k", 500, 500},
        {"-200", 0, 0},        {"50000", 50000, 50000}, {"treble", 0, 0}, {"", 0, 0},
        {"nan", 0, 0},         {"k", 0, 0},          {"12 Hz", 12, 12000},
    };
    auto law = [](double hz, double base) {
        return hz <= 0 ? 0.0f : static_cast<float>(std::clamp(std::log(hz / base) / std::log(100.0), 0.0, 1.0));
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(StripFiltersEditor::highPassValueFromText(c.text), law(c.highPassHz, 20), 1e-6) << '"' << c.text << '"';
        EXPECT_NEAR(StripFiltersEditor::lowPassValueFromText(c.text), law(c.lowPassHz, 300), 1e-6) << '"' << c.text << '"';
    }
    EXPECT_EQ(StripFiltersEditor::lowPassValueFromText("0.2"), 0.0f);
    EXPECT_EQ(StripFiltersEditor::lowPassValueFromText("30"), 1.0f);

    // Typed into the fields of the shown strip, they set the frequencies and the fields show them.
    set(kProcess, 1.0f);
    showBothOpen();
    StripFiltersEditor* f = filters->get(StripForm::open, 0);
    const int automationsBefore = velunor::testing::testHost().automations;
    typeInto(f->highPassText(), "2k");
    EXPECT_FLOAT_EQ(get(kHighPassFrequency), 1.0f);
    typeInto(f->lowPassText(), "3");
    EXPECT_FLOAT_EQ(get(kLowPassFrequency), 0.5f);
    EXPECT_EQ(velunor::testing::testHost().automations, automationsBefore + 2);
    char display[64];
    effect->getParameterDisplay(kLowPassFrequency, display);
    EXPECT_STREQ(f->lowPassText()->getText(), display);
    EXPECT_EQ(f->lowPassText()->getViewSize(), StripFiltersEditor::lowPassTextRect(0.5f));
    EXPECT_EQ(f->highPassSlider()->getValue(), 1.0f);
}

TEST_F(StripsFixture, TheFrequencyFieldsRideOnTheirSliders) {
    set(kProcess, 1.0f);
    showBothOpen(1);
    StripFiltersEditor* f = filters->get(StripForm::open, 1);

    set(kHighPassFrequency, 0.5f);
    EXPECT_EQ(f->highPassText()->getViewSize(), CRect(117, 0, 159, 15));
    EXPECT_EQ(f->highPassText()->getBackOffset(), CPoint(117, 0));
    EXPECT_STREQ(f->highPassText()->getText(), "200");
    // Hidden strips follow as well.
    EXPECT_EQ(filters->get(StripForm::open, 2)->highPassText()->getViewSize(), CRect(117, 0, 159, 15));

    // Dragging the low-pass handle to the right end moves its field there.
    CQVXSliderAH* slider = f->lowPassSlider();
    set(kLowPassFrequency, 0.0f);
    const CPoint grab = handleOf(f, slider);
    press(grab);
    for (CCoord dx = 8; dx <= 160; dx += 8) move(grab + CPoint(dx, 0));
    release(grab + CPoint(160, 0));
    EXPECT_FLOAT_EQ(get(kLowPassFrequency), 1.0f);
    EXPECT_EQ(f->lowPassText()->getViewSize(), CRect(454, 0, 496, 15));
    char display[64];
    effect->getParameterDisplay(kLowPassFrequency, display);
    EXPECT_STREQ(f->lowPassText()->getText(), display);
}

TEST_F(StripsFixture, WithProcessOffTheFilterControlsAskForProcess) {
    set(kProcess, 0.0f);
    showBothOpen();
    StripFiltersEditor* f = filters->get(StripForm::open, 0);
    const float before = get(kHighPassFrequency);

    hover(at(f->highPassSlider(), CPoint(80, 16)));
    EXPECT_STREQ(hints[0]->getText(), "Click PROCESS to activate FILTERS");
    const CPoint handle = handleOf(f, f->highPassSlider());
    press(handle);
    move(handle + CPoint(40, 0));
    release(handle + CPoint(40, 0));
    EXPECT_EQ(get(kHighPassFrequency), before);

    struct Blocked {
        CView* view;
        int32 parameter;
    };
    for (const Blocked& b : {Blocked{f->filtersInButton(), kFiltersIn}, Blocked{f->highPassInButton(), kHighPassState},
                             Blocked{f->lowPassSlopeSwitch(), kLowPassSlope}}) {
        const float value = get(b.parameter);
        hover(at(b.view));
        EXPECT_STREQ(hints[0]->getText(), "Click PROCESS to activate FILTERS");
        click(at(b.view, CPoint(b.view->getWidth() - 2, 2)));
        EXPECT_EQ(get(b.parameter), value) << b.view->getClassName();
    }
    click(at(f->highPassText()));
    EXPECT_EQ(CQVXTextEdit::activeEdit(), nullptr);
    // The open/close button keeps working.
    hover(at(f->showButton()));
    EXPECT_STREQ(hints[0]->getText(), "Opens FILTERS editor");

    // PROCESS on: the same gestures work, and every form of every meter follows.
    set(kProcess, 1.0f);
    for (int meter = 0; meter < 3; ++meter) {
        EXPECT_TRUE(filters->get(StripForm::open, meter)->highPassSlider()->isActive());
        EXPECT_TRUE(filters->get(StripForm::closed, meter)->filtersInButton()->isActive());
    }
    const float highPassState = get(kHighPassState);
    click(at(f->highPassInButton()));
    EXPECT_EQ(get(kHighPassState), 1.0f - highPassState);
    click(at(f->filtersInButton()));
    EXPECT_EQ(get(kFiltersIn), 1.0f);
    EXPECT_TRUE(effect->filtersIn());
    press(handle);
    move(handle + CPoint(40, 0));
    release(handle + CPoint(40, 0));
    EXPECT_GT(get(kHighPassFrequency), before);
}

TEST_F(StripsFixture, TheClosedFiltersStripSwitchesFiltersIn) {
    set(kProcess, 1.0f);
    filters->showClosed(CPoint(0, 169), 2);
    StripFiltersEditor* f = filters->get(StripForm::closed, 2);
    click(at(f->filtersInButton()));
    EXPECT_EQ(get(kFiltersIn), 1.0f);
    // The open/close button is the editor's: it opens the filters strip.
    click(at(f->showButton()));
    EXPECT_EQ(get(kShowFilters), 1.0f);
}

TEST_F(StripsFixture, LagTimeAdoptsTheHostsOutputLatency) {
    struct Case {
        VstInt32 latencySamples;
        float lagTimeBefore;
        float lagTime;
        const char* display;
    };
    // At 50 kHz: 0.256 s, from the control's own default and from elsewhere; none; and more than
    // the 999 ms LAG TIME holds.
    for (const Case& c : {Case{12800, 0.5f, 0.256256f, "256 ms"}, Case{12800, 0.1f, 0.256256f, "256 ms"},
                          Case{0, 0.5f, 0.0f, "0 ms"}, Case{100000, 0.2f, 1.0f, "999 ms"}}) {
        SCOPED_TRACE(c.latencySamples);
        velunor::testing::testHost().outputLatency = c.latencySamples;
        effect->setSampleRate(50000.0f);
        effect->resume();
        label->showOpen(CPoint(0, 169), 1);
        set(kLagTime, c.lagTimeBefore);
        CQVXLatencyControl* lag = label->get(StripForm::open, 1)->lagTimeControl();
        const CPoint beside = at(lag, CPoint(2, 20));
        click(beside);
        click(beside, kLButton | kDoubleClick);
        EXPECT_NEAR(get(kLagTime), c.lagTime, 1e-6);
        EXPECT_FALSE(lag->doubleClicked);
        EXPECT_FLOAT_EQ(lag->getValue(), get(kLagTime));
        char display[64];
        effect->getParameterDisplay(kLagTime, display);
        EXPECT_STREQ(display, c.display);
    }
    // A plain step is taken as it is.
    CQVXLatencyControl* lag = label->get(StripForm::open, 1)->lagTimeControl();
    set(kLagTime, 0.5f);
    click(at(lag, CPoint(14, 3)));
    EXPECT_EQ(lag->getMilliseconds(), 510);
    EXPECT_FLOAT_EQ(get(kLagTime), lag->getValue());
}

TEST_F(StripsFixture, ATypedTrackNameIsCutTo38CharactersAndTravelsWithTheChunk) {
    showBothOpen(2);
    const std::string typed = "Lead vocal, second verse, double-tracked, take 12b";
    ASSERT_EQ(typed.size(), 50u);
    const std::string kept = typed.substr(0, 38);
    typeInto(label->get(StripForm::open, 2)->trackLabel(), typed);

    EXPECT_EQ(std::string(effect->label()), kept);
    for (int meter = 0; meter < 3; ++meter) {
        EXPECT_EQ(std::string(label->get(StripForm::open, meter)->trackLabel()->getText()), kept) << meter;
    }

    void* data = nullptr;
    const VstInt32 size = effect->getChunk(&data, false);
    ASSERT_GT(size, 44);
    const char* field = static_cast<const char*>(data) + 4;
    EXPECT_EQ(std::string(field, strnlen(field, 40)), kept);

    Templete restored(&velunor::testing::testHostCallback);
    restored.setChunk(data, size, false);
    EXPECT_EQ(std::string(restored.label()), kept);
}

TEST_F(StripsFixture, ThePenWritesWhileTheTrackNameIsEdited) {
    showBothOpen();
    CQVXTapeLabel* tape = label->get(StripForm::open, 0)->trackLabel();
    label->idle();
    EXPECT_EQ(tape->getPenStep(), 0);
    click(at(tape));
    ASSERT_TRUE(tape->isEditing());
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (tape->getPenStep() < 2 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        label->idle();
    }
    EXPECT_GE(tape->getPenStep(), 2);

    // The closed form has no pen to move; the open strip's pen stays where it was.
    const int32 step = tape->getPenStep();
    label->showClosed(CPoint(0, 222), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    label->idle();
    EXPECT_EQ(tape->getPenStep(), step);
}

TEST_F(StripsFixture, HintsShowInTheHintLineOfTheStripsMeter) {
    set(kShowFilters, 1.0f);
    showBothOpen(1);
    hover(at(filters->get(StripForm::open, 1)->showButton()));
    EXPECT_STREQ(hints[1]->getText(), "Closes FILTERS editor");
    EXPECT_STREQ(hints[0]->getText(), "");
    hover(at(label->get(StripForm::open, 1)->showButton()));
    EXPECT_STREQ(hints[1]->getText(), "Opens LABEL editor");
}

TEST_F(StripsFixture, ClosingReleasesEverything) {
    showBothOpen();
    CViewContainer* shown = filters->get(StripForm::open, 0)->getContainer();
    shown->remember();
    filters->close();
    label->close();
    EXPECT_FALSE(frame->isChild(shown));
    EXPECT_EQ(shown->getNbReference(), 1);
    shown->forget();
    EXPECT_EQ(frame->getNbViews(), 0);
    EXPECT_EQ(filters->get(StripForm::open, 0), nullptr);
    // Nothing is left to reach.
    filters->setParameter(kProcess, 1.0f);
    filters->setProcessState(1.0f);
    label->idle();
}

TEST_F(StripsFixture, AFrameClosedBeforeItsStripsTakesNothingFromThem) {
    showBothOpen();
    CViewContainer* shown = label->get(StripForm::open, 0)->getContainer();
    frame->close();
    EXPECT_FALSE(shown->isAttached());
    EXPECT_EQ(shown->getNbReference(), 1);
    label->close();
    filters->close();
    frame = guitest::makeOffscreenFrame(586, 261, &frameEditor);
}

// What the frame shows is the strips' artwork: the FILTERS IN switch in its lit frame once PROCESS
// is on, the slider handle where the value puts it, and the tape under the track name.
TEST_F(StripsFixture, TheFrameShowsTheStripsArtwork) {
    set(kProcess, 1.0f);
    set(kFiltersIn, 1.0f);
    set(kHighPassFrequency, 0.5f);
    effect->setLabel("Drums");
    label->setParameter(kLabelChanged, 0.0f);
    showBothOpen(0);
    frame->idle();
    cairo_surface_t* shown = frame->getBackBuffer();

    auto expectArt = [&](int resource, CPoint inBitmap, CPoint inFrame) {
        CBitmap art(resource);
        ASSERT_TRUE(art.isLoaded()) << resource;
        EXPECT_EQ(guitest::pixelAt(shown, static_cast<int>(inFrame.x), static_cast<int>(inFrame.y)),
                  guitest::pixelAt(art.getSurface(), static_cast<int>(inBitmap.x), static_cast<int>(inBitmap.y)))
            << resource << " at " << inFrame.x << "," << inFrame.y;
    };
    // Frame 2 of three (on and active), 30 pixels each.
    expectArt(10020, CPoint(15, 60 + 15), CPoint(541 + 15, 169 + 4 + 15));
    // The handle at 0.5 starts 72 pixels into its travel.
    expectArt(10024, CPoint(9, 16), CPoint(58 + 72 + 9, 169 + 10 + 16));
    // Between the filters: the strip's own bitmap; and the label strip's under its tape.
    expectArt(31000, CPoint(260, 45), CPoint(260, 169 + 45));
    expectArt(34000, CPoint(30, 3), CPoint(30, 222 + 3));

    // PROCESS off: the same switch drops to its unlit frame.
    set(kProcess, 0.0f);
    frame->idle();
    expectArt(10020, CPoint(15, 30 + 15), CPoint(541 + 15, 169 + 4 + 15));
}

}  // namespace
}  // namespace stripstest
