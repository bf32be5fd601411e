// The editor through its real frame, panels and controls, driven by synthetic mouse and key events.

#include <atomic>
#include <cmath>
#include <thread>
#include <tuple>

#include "editor/CMyTextEdit.h"
#include "editor/CQVXCalibrationControl.h"
#include "editor/CQVXMeterSelectorControl.h"
#include "editor/CQVXOnOffButton.h"
#include "editor/CQVXSlider.h"
#include "editor/CFrontReferenceControl.h"
#include "gui/VirtualKeys.h"
#include "tests/editor/EditorFixture.h"
#include "views/CQVXVUMeter2.h"
#include "views/CQVXVUMeterFULLPANEL.h"
#include "views/LevelClamp.h"

namespace editortest {
namespace {

using Editor = EditorFixture;

CPoint centre(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

TEST_F(Editor, WindowHeightFollowsTheStripsWithOneResizePerChange) {
    EXPECT_EQ(windowHeight(), 195);
    EXPECT_EQ(editorRect().right, 586);
    effect->setParameter(6, 0.0f);
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(windowHeight(), 169);
    ASSERT_EQ(hostLog().resizes.size(), 1u);
    EXPECT_EQ(hostLog().resizes[0], std::make_pair(586, 169));
    EXPECT_EQ(frame()->getHeight(), 169);

    struct Case {
        float strips, filters, label;
        int height;
        bool resized;
    };
    const Case cases[] = {
        {0, 1, 1, 169, false},  // the strips are off: the cache changes, the height does not
        {1, 1, 1, 261, true},  {1, 0, 1, 221, true}, {1, 0, 0, 195, true},
        {1, 1, 0, 235, true},  {1, 1, 0, 235, false}, {0, 1, 0, 169, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.strips << c.filters << c.label);
        hostLog().resizes.clear();
        effect->setParameter(7, c.filters);
        effect->setParameter(15, c.label);
        effect->setParameter(6, c.strips);
        EXPECT_EQ(windowHeight(), c.height);
        EXPECT_EQ(frame()->getHeight(), c.height);
        EXPECT_EQ(hostLog().resizes.size(), c.resized ? 1u : 0u);
        if (!hostLog().resizes.empty()) {
            EXPECT_EQ(hostLog().resizes.back(), std::make_pair(586, c.height));
        }
    }
}

TEST_F(Editor, ReopeningKeepsTheMeterTheStripsAndTheHeight) {
    effect->setParameter(3, 1.0f);
    effect->setParameter(6, 1.0f);
    effect->setParameter(7, 1.0f);
    ASSERT_TRUE(openEditor());
    EXPECT_TRUE(effect->blockClock().editorWindowOpen());
    EXPECT_EQ(editor->currentMeter(), 2);
    EXPECT_EQ(windowHeight(), 235);
    editor->close();
    EXPECT_FALSE(effect->blockClock().editorWindowOpen());
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(editor->panel(0), nullptr);
    editor->idle();  // closed: nothing to do
    hostLog().resizes.clear();
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(editor->currentMeter(), 2);
    EXPECT_EQ(windowHeight(), 235);
    EXPECT_EQ(frame()->getHeight(), 235);
    EXPECT_TRUE(hostLog().resizes.empty());
}

TEST_F(Editor, OpenRefusesAMissingParentWindow) {
    EXPECT_FALSE(editor->open(nullptr));
    EXPECT_EQ(frame(), nullptr);
    EXPECT_FALSE(effect->blockClock().editorWindowOpen());
}

TEST_F(Editor, MeterSelectorZonesNameAndSelectTheNeighbouringMeters) {
    // (meter shown, zone, meter selected): left is the previous meter, right the next one.
    const std::tuple<int, bool, int, const char*> cases[] = {
        {0, true, 2, "Changes current meter to PPMK"}, {0, false, 1, "Changes current meter to RMSK"},
        {1, true, 0, "Changes current meter to VUK"},  {1, false, 2, "Changes current meter to PPMK"},
        {2, true, 1, "Changes current meter to RMSK"}, {2, false, 0, "Changes current meter to VUK"},
    };
    ASSERT_TRUE(openEditor());
    for (const auto& [from, left, to, text] : cases) {
        SCOPED_TRACE(testing::Message() << from << (left ? " left" : " right"));
        effect->setParameter(3, from * 0.5f);
        ASSERT_EQ(editor->currentMeter(), from);
        const CRect r = shown()->meterSelector()->getViewSize();
        const CPoint p(left ? r.left + 5 : r.right - 5, r.top + r.getHeight() / 2);
        hover(p);
        EXPECT_EQ(hint(), text);
        hostLog().automations.clear();
        click(p);
        EXPECT_EQ(editor->currentMeter(), to);
        ASSERT_EQ(hostLog().automations.size(), 1u);
        EXPECT_EQ(hostLog().automations[0], std::make_pair(3, to * 0.5f));
        for (int m = 0; m < 3; ++m) EXPECT_EQ(editor->panel(m)->isAttached(), m == to) << m;
        hover(CPoint(10, 100));
    }
}

TEST_F(Editor, MeterSwitchingAttachesOnePanelAndDetachedPanelsFollowParameters) {
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(editor->currentMeter(), 0);
    for (int meter : {1, 2, 0, 2}) {
        effect->setParameter(3, meter * 0.5f);
        EXPECT_EQ(editor->currentMeter(), meter);
        int attached = 0;
        for (int m = 0; m < 3; ++m) {
            EXPECT_TRUE(editor->panel(m)->isOpen());
            attached += editor->panel(m)->isAttached() ? 1 : 0;
        }
        EXPECT_EQ(attached, 1);
        EXPECT_TRUE(editor->panel(meter)->isAttached());
    }
    effect->setParameter(2, 1.0f);
    for (int m = 0; m < 3; ++m) EXPECT_FLOAT_EQ(editor->panel(m)->calibrationSelector()->getValue(), 1.0f);
}

TEST_F(Editor, ProcessSwitchesTheTrimControlsOfEveryPanel) {
    effect->setParameter(0, 0.0f);
    ASSERT_TRUE(openEditor());
    for (int m = 0; m < 3; ++m) {
        EXPECT_FALSE(editor->panel(m)->trimSlider()->isActive());
        EXPECT_FALSE(editor->panel(m)->trimText()->isActive());
    }
    // Inactive, the trim field asks for PROCESS instead of opening.
    const CRect field = shown()->trimText()->getViewSize();
    hover(centre(field));
    EXPECT_EQ(hint(), "Click PROCESS to activate the Trim");
    click(centre(field));
    EXPECT_FALSE(shown()->trimText()->isEditing());

    hostLog().automations.clear();
    click(centre(shown()->processButton()->getViewSize()));
    EXPECT_FLOAT_EQ(effect->getParameter(0), 1.0f);
    ASSERT_EQ(hostLog().automations.size(), 1u);
    EXPECT_EQ(hostLog().automations[0].first, 0);
    for (int m = 0; m < 3; ++m) {
        EXPECT_TRUE(editor->panel(m)->trimSlider()->isActive());
        EXPECT_TRUE(editor->panel(m)->trimText()->isActive());
        EXPECT_FLOAT_EQ(editor->panel(m)->processButton()->getValue(), 1.0f);
    }
}

TEST_F(Editor, TrimFieldTakesTypedText) {
    const std::pair<const char*, float> cases[] = {{"-3", 0.425f}, {"30", 1.0f}, {"-25", 0.0f}, {"abc", 0.5f},
                                                   {"6.5", 0.6625f}};
    effect->setParameter(0, 1.0f);
    ASSERT_TRUE(openEditor());
    for (const auto& [typed, value] : cases) {
        SCOPED_TRACE(typed);
        effect->setParameter(1, 0.9f);
        hostLog().automations.clear();
        click(centre(shown()->trimText()->getViewSize()));
        ASSERT_TRUE(shown()->trimText()->isEditing());
        for (const char* c = typed; *c; ++c) key(0, *c);
        key(VKEY_RETURN);
        EXPECT_FALSE(shown()->trimText()->isEditing());
        EXPECT_NEAR(effect->getParameter(1), value, 1e-6);
        ASSERT_EQ(hostLog().automations.size(), 1u);
        EXPECT_EQ(hostLog().automations[0].first, 1);
        // The field and the slider show the value the effect took.
        char display[64] = {};
        effect->getParameterDisplay(1, display);
        EXPECT_STREQ(shown()->trimText()->getText(), display);
        EXPECT_NEAR(shown()->trimSlider()->getValue(), value, 1e-6);
    }
}

TEST_F(Editor, ControlsOfTheAutomatedTagsAreAutomatedOnce) {
    ASSERT_TRUE(openEditor());
    hostLog().automations.clear();
    click(centre(shown()->stripsButton()->getViewSize()));
    ASSERT_EQ(hostLog().automations.size(), 1u);
    EXPECT_EQ(hostLog().automations[0].first, 6);
    // The reference line (tag 83) goes to the effect without automation.
    effect->setParameter(6, 1.0f);
    CFrontReferenceControl* reference = shown()->referenceControl();
    ASSERT_TRUE(shown()->getContainer()->isChild(reference));
    hostLog().automations.clear();
    const float before = effect->getParameter(83);
    const CPoint p = centre(reference->getViewSize());
    frame()->platformOnMouseDown(p, kLButton);
    frame()->platformOnMouseMoved(CPoint(p.x + 40, p.y), kLButton);
    frame()->platformOnMouseUp(CPoint(p.x + 40, p.y), 0);
    EXPECT_GT(effect->getParameter(83), before);
    for (const auto& a : hostLog().automations) EXPECT_NE(a.first, 83);
}

TEST_F(Editor, ReferenceLineIsShownWithTheStripsOnlyAndInsertedOnce) {
    effect->setParameter(6, 0.0f);
    ASSERT_TRUE(openEditor());
    CQVXMeterFULLPANEL* rms = editor->panel(1);  // detached
    CViewContainer* box = rms->getContainer();
    EXPECT_FALSE(box->isChild(rms->referenceControl()));
    const auto count = [&] {
        int n = 0;
        for (int i = 0; i < box->getNbViews(); ++i) n += box->getView(i) == rms->referenceControl() ? 1 : 0;
        return n;
    };
    effect->setParameter(6, 1.0f);
    effect->setParameter(6, 1.0f);
    EXPECT_EQ(count(), 1);
    effect->setParameter(6, 0.0f);
    EXPECT_EQ(count(), 0);
    // Closed with the line outside its container: the sanitizer build sees that it is released.
}

// Loud full-scale blocks, then quiet ones, through the effect's own processing.
void play(Templete& fx, float amplitude, int blocks) {
    constexpr int kFrames = 256;
    static float in[2][kFrames], out[2][kFrames];
    for (int b = 0; b < blocks; ++b) {
        for (int i = 0; i < kFrames; ++i) in[0][i] = in[1][i] = (i % 2 ? amplitude : -amplitude);
        float* ins[] = {in[0], in[1]};
        float* outs[] = {out[0], out[1]};
        fx.processReplacing(ins, outs, kFrames);
    }
}

TEST_F(Editor, FaceClickClearsTheOverLedsAndTheInfiniteHold) {
    effect->setParameter(5, 0.5f);  // infinite hold
    ASSERT_TRUE(openEditor());
    auto* left = static_cast<CQVXVUMeter2*>(shown()->leftView());
    EXPECT_TRUE(left->showHold);
    play(*effect, 1.0f, 200);
    editor->idle();
    EXPECT_EQ(left->ledState, CQVXMeter2::kLedBright);
    const float peakHold = left->holdValue;
    EXPECT_GT(peakHold, 1.0f);
    play(*effect, 0.01f, 400);
    for (int i = 0; i < 40; ++i) editor->idle();
    EXPECT_EQ(left->ledState, CQVXMeter2::kLedDim);  // latched
    EXPECT_FLOAT_EQ(left->holdValue, peakHold);      // held for good

    click(centre(left->getViewSize()));
    play(*effect, 0.01f, 10);
    editor->idle();
    EXPECT_EQ(left->ledState, CQVXMeter2::kLedDark);
    EXPECT_LT(left->holdValue, peakHold);
    EXPECT_EQ(static_cast<CQVXVUMeter2*>(shown()->rightView())->ledState, CQVXMeter2::kLedDark);
}

TEST_F(Editor, FacesTakeOnlyWhatTheirScalesShow) {
    const std::tuple<double, float, float> vu[] = {{2.0, 0.3f, 1.5f},   {1.5, 0.3f, 1.5f}, {0.7, 0.3f, 0.7f},
                                                   {-1.0, 0.3f, -0.05f}, {NAN, 0.3f, 0.3f}};
    for (const auto& [in, shown, out] : vu) EXPECT_FLOAT_EQ(CQVXVUMeterFULLPANEL::clampVu(in, shown), out) << in;
    // PPM and RMS: a value that is not a number rests the needle, as silence does.
    const std::pair<double, float> level[] = {{0.0, 0.0001f}, {-1.0, 0.0001f}, {NAN, 0.0001f}, {0.5, 0.5f},
                                              {100.0, 32.0f}, {INFINITY, 32.0f}};
    for (const auto& [in, out] : level) EXPECT_FLOAT_EQ(velunor::views::clampLevel(in), out) << in;
}

TEST_F(Editor, ParametersFromAnotherThreadWaitForTheNextIdle) {
    ASSERT_TRUE(openEditor());
    std::thread([&] {
        effect->setParameter(1, 0.8f);
        effect->setParameter(3, 1.0f);
        effect->setParameter(3, 0.5f);  // only the latest counts
        effect->setParameter(6, 0.0f);
    }).join();
    EXPECT_EQ(editor->currentMeter(), 0);
    EXPECT_NE(shown()->trimSlider()->getValue(), 0.8f);
    hostLog().resizes.clear();
    editor->idle();
    EXPECT_EQ(editor->currentMeter(), 1);
    EXPECT_FLOAT_EQ(shown()->trimSlider()->getValue(), 0.8f);
    EXPECT_EQ(windowHeight(), 169);
    EXPECT_EQ(hostLog().resizes.size(), 1u);
}

TEST_F(Editor, AutomationFromAnotherThreadWhileTheWindowOpensAndCloses) {
    std::atomic<bool> done{false};
    std::thread automation([&] {
        unsigned n = 0;
        while (!done.load()) {
            ++n;
            for (VstInt32 index = 0; index <= 16; ++index)
                effect->setParameter(index, static_cast<float>((n * 7 + static_cast<unsigned>(index)) % 11) / 10.0f);
            effect->setParameter(67, 0.0f);
        }
    });
    for (int i = 0; i < 25; ++i) {
        ASSERT_TRUE(openEditor());
        for (int k = 0; k < 3; ++k) editor->idle();
        editor->close();
    }
    done = true;
    automation.join();
    ASSERT_TRUE(openEditor());
    editor->idle();
    for (int m = 0; m < 3; ++m) {
        EXPECT_FLOAT_EQ(editor->panel(m)->trimSlider()->getValue(), effect->getParameter(1));
        EXPECT_FLOAT_EQ(editor->panel(m)->calibrationSelector()->getValue(), effect->getParameter(2));
    }
    EXPECT_EQ(editor->currentMeter(), static_cast<int>(effect->getParameter(3) * 2.0f + 0.5f));
    const auto on = [&](VstInt32 index) { return effect->getParameter(index) >= 0.5f; };
    EXPECT_EQ(windowHeight(), TemepleteEditor::windowHeight(on(6), on(7), on(15)));
}

}  // namespace
}  // namespace editortest
