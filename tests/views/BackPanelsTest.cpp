// The three back panels on an offscreen frame, over real effects with their engines, the real
// controls and the artwork. A small host object stands in for the editor and the front panel: it
// toggles the panel on tag 65 (saving the shared calibration on every close), passes every gesture
// on to the panel and every parameter change to a shown panel, as the front panel does.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "tests/gui/GuiTestSupport.h"
#include "editor/CAnimKnob4.h"
#include "editor/CQVXCalibrationControl.h"
#include "editor/CQVXOnOffButton.h"
#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CMovieBitmap.h"
#include "gui/CTextLabel.h"
#include "host/AEffEditor.h"
#include "meters/MeterSettings.h"
#include "platform/linux/LinuxPlatformFactory.h"
#include "tests/effect/EffectFixture.h"
#include "views/CQVXBackPanelContainer.h"
#include "views/PPMBackPanel.h"
#include "views/RMSBackPanel.h"
#include "views/VUBackPanel.h"

using velunor::testing::testHost;

namespace {

enum class Meter { VU, RMS, PPM };

const char* nameOf(Meter meter) { return meter == Meter::VU ? "VU" : meter == Meter::RMS ? "RMS" : "PPM"; }

// The front panel's part in the panel's life, and the editor's part in the effect's reports.
struct PanelHost : AEffEditor, CControlListener {
    explicit PanelHost(Templete* effect) : AEffEditor(effect), templete(effect) {}

    void valueChanged(CControl* control) override {
        if (control->getTag() == CQVXBackPanelContainer::kCloseTag) {
            if (panel->isShown()) {
                panel->hide();
                templete->setParameter(velunor::kSaveGlobalCalibration, 0.0f);
            } else {
                panel->show();
            }
        }
        panel->controlChanged(control);
    }
    void setParameter(VstInt32 index, float value) override {
        if (index == velunor::kSaveGlobalCalibration) ++saves;
        if (panel && panel->isShown()) panel->parameterChanged(index, value);
    }

    Templete* templete;
    BackPanel* panel = nullptr;
    int saves = 0;
};

// One plug-in instance with one back panel open on its own frame.
struct Instance {
    explicit Instance(Meter meter)
        : effect(std::make_unique<Templete>(&velunor::testing::testHostCallback)), host(effect.get()), frame(guitest::makeOffscreenFrame(586, 261)) {
        effect->setEditor(&host);
        switch (meter) {
            case Meter::VU: panel = std::make_unique<VUBackPanel>(effect.get(), &host); break;
            case Meter::RMS: panel = std::make_unique<RMSBackPanel>(effect.get(), &host); break;
            case Meter::PPM: panel = std::make_unique<PPMBackPanel>(effect.get(), &host); break;
        }
        host.panel = panel.get();
        engine = effect->engine(meter == Meter::VU ? 0 : meter == Meter::RMS ? 1 : 2);
        opened = panel->open(frame);
    }
    ~Instance() {
        panel->close();
        panel.reset();
        frame->close();
        effect->setEditor(nullptr);  // the host object is not the effect's to delete
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    // Shown or hidden the way the user does it: the selector's middle zone and an empty spot.
    void toggle() { host.valueChanged(panel->getContainer()->getCloseButton()); }
    void press(CPoint p, int32 buttons = kLButton) { frame->platformOnMouseDown(p, buttons); }
    void release(CPoint p) { frame->platformOnMouseUp(p, 0); }
    void click(CPoint p, int32 buttons = kLButton) {
        press(p, buttons);
        release(p);
    }
    void drag(CPoint from, CPoint to) {
        press(from);
        frame->platformOnMouseMoved(to, kLButton);
        release(to);
    }
    void wheel(CPoint p, float distance) { frame->platformOnMouseWheel(p, kMouseWheelAxisY, distance, 0); }

    template <typename T>
    T* viewAt(CPoint p) const {
        return dynamic_cast<T*>(panel->getContainer()->getViewAt(p));
    }
    std::string engineText(VstInt32 tag) const {
        char text[64] = {};
        engine->getParameterDisplay(tag, text, sizeof text);
        return text;
    }

    std::unique_ptr<Templete> effect;
    PanelHost host;
    CFrame* frame;
    std::unique_ptr<BackPanel> panel;
    velunor::MeterEngine* engine = nullptr;
    bool opened = false;
};

CPoint knobCentre(CCoord x, CCoord y) { return CPoint(x + 21, y + 20); }

class BackPanels : public velunor::testing::EffectFixture {
protected:
    void SetUp() override {
        EffectFixture::SetUp();
        velunor::platform::installLinuxPlatform();
        testHost().automations = 0;
    }
};

}  // namespace

// Each panel's reference knob, turned the three ways a user turns it.
TEST_F(BackPanels, KnobGesturesReachTheEngineTheLabelAndTheEffectButNotTheHost) {
    struct Case {
        Meter meter;
        VstInt32 tag;
        CPoint knob, label;
        float defaultValue;
    } cases[] = {
        {Meter::VU, 83, knobCentre(24, 36), CPoint(45, 86), 0.25f},
        {Meter::RMS, 74, knobCentre(147, 35), CPoint(169, 83), 0.5f},
        {Meter::PPM, 96, knobCentre(192, 111), CPoint(214, 161), 0.66f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(nameOf(c.meter));
        Instance in(c.meter);
        ASSERT_TRUE(in.opened);
        in.toggle();
        auto* knob = in.viewAt<CAnimKnob4>(c.knob);
        auto* label = in.viewAt<CTextLabel>(c.label);
        ASSERT_TRUE(knob && label);
        ASSERT_EQ(knob->getTag(), c.tag);

        auto expectEverywhere = [&](const char* gesture) {
            SCOPED_TRACE(gesture);
            EXPECT_FLOAT_EQ(in.engine->getParameter(c.tag), knob->getValue());
            EXPECT_FLOAT_EQ(in.effect->getParameter(c.tag), knob->getValue());
            EXPECT_EQ(label->getText(), in.engineText(c.tag));
            EXPECT_TRUE(in.panel->isShown());
        };
        const float before = knob->getValue();
        const std::string textBefore = label->getText();
        // Up 40 pixels of a 200-pixel sweep.
        in.drag(c.knob, CPoint(c.knob.x, c.knob.y - 40));
        EXPECT_NEAR(knob->getValue(), before + 0.2f, 1e-4);
        EXPECT_NE(label->getText(), textBefore);
        expectEverywhere("drag");

        const float dragged = knob->getValue();
        in.wheel(c.knob, -1.0f);
        EXPECT_LT(knob->getValue(), dragged);
        expectEverywhere("wheel");

        in.click(c.knob, kLButton | kDoubleClick);
        EXPECT_FLOAT_EQ(knob->getValue(), c.defaultValue);
        expectEverywhere("double click");
        EXPECT_EQ(in.host.saves, 0);
    }
    EXPECT_EQ(testHost().automations, 0);
}

// Every knob draws the strip's frame for the engine's value, at its place on the back picture.
TEST_F(BackPanels, KnobsShowTheFrameOfTheirValue) {
    struct Case {
        Meter meter;
        VstInt32 tag;
        CCoord x, y;
        float value;
        int frame;
    } cases[] = {
        {Meter::VU, 83, 24, 36, 0.0f, 0},     {Meter::VU, 83, 24, 36, 1.0f, 50},
        {Meter::VU, 88, 195, 35, 0.0f, 15},   {Meter::VU, 88, 195, 35, 0.3f, 20},
        {Meter::VU, 88, 195, 35, 1.0f, 35},   {Meter::VU, 90, 434, 35, 0.5f, 31},
        {Meter::VU, 90, 434, 35, 0.16f, 5},   {Meter::VU, 89, 475, 111, 0.22f, 11},
        {Meter::VU, 89, 475, 111, 1.0f, 48},  {Meter::PPM, 98, 475, 111, 1.0f, 48},
        {Meter::PPM, 99, 418, 35, 0.0f, 5},   {Meter::PPM, 94, 137, 35, 0.5f, 25},
        {Meter::RMS, 78, 498, 113, 1.0f, 47}, {Meter::RMS, 78, 498, 113, 0.22f, 11},
        {Meter::RMS, 79, 434, 35, 0.0f, 0},   {Meter::RMS, 79, 434, 35, 1.0f / 6, 8},
        {Meter::RMS, 76, 213, 113, 1.0f, 50},
    };
    const int backPicture[] = {40000, 41000, 42000};
    CBitmap strip(backpanel::kKnobPicture);
    ASSERT_TRUE(strip.isLoaded());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(nameOf(c.meter)) + " tag " + std::to_string(c.tag) + " value " + std::to_string(c.value));
        Instance in(c.meter);
        ASSERT_TRUE(in.opened);
        in.toggle();
        in.effect->setParameter(c.tag, c.value);
        in.frame->idle();

        // The frame of the strip that, drawn over the back picture, looks most like the screen.
        CBitmap back(backPicture[static_cast<int>(c.meter)]);
        int best = -1;
        double bestDifference = std::numeric_limits<double>::max();
        for (int k = 0; k < backpanel::kKnobFrames; ++k) {
            auto picture = CDrawContext::createOffscreen(backpanel::kKnobWidth, backpanel::kKnobHeight);
            const CRect area(0, 0, backpanel::kKnobWidth, backpanel::kKnobHeight);
            back.draw(picture.get(), area, CPoint(c.x, c.y), 1.0f);
            strip.draw(picture.get(), area, CPoint(0, k * backpanel::kKnobHeight), 1.0f);
            double difference = 0;
            for (int y = 0; y < backpanel::kKnobHeight; ++y)
                for (int x = 0; x < backpanel::kKnobWidth; ++x) {
                    const guitest::Rgba a = guitest::pixelAt(picture->getSurface(), x, y);
                    const guitest::Rgba b = guitest::pixelAt(in.frame->getBackBuffer(), static_cast<int>(c.x) + x,
                                                             static_cast<int>(c.y) + y);
                    difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
                }
            if (difference < bestDifference) {
                bestDifference = difference;
                best = k;
            }
        }
        EXPECT_EQ(best, c.frame);
        EXPECT_EQ(bestDifference, 0.0);
    }
}

TEST_F(BackPanels, AnEmptySpotClosesThePanelAndSavesOncePerClose) {
    Instance in(Meter::VU);
    ASSERT_TRUE(in.opened);
    CQVXBackPanelContainer* container = in.panel->getContainer();
    EXPECT_FALSE(in.panel->isShown());
    EXPECT_FALSE(in.frame->isChild(container));

    in.toggle();
    EXPECT_TRUE(in.panel->isShown());
    EXPECT_TRUE(in.frame->isChild(container));
    EXPECT_EQ(in.host.saves, 0);

    // Controls take their clicks; the panel stays.
    in.click(knobCentre(24, 36));
    in.click(CPoint(170, 140));  // VU TYPE
    in.click(CPoint(40, 5));     // calibration selector
    EXPECT_TRUE(in.panel->isShown());
    EXPECT_EQ(in.host.saves, 0);

    in.click(CPoint(330, 150));
    EXPECT_FALSE(in.panel->isShown());
    EXPECT_FALSE(in.frame->isChild(container));
    EXPECT_EQ(container->getNbReference(), 1);  // kept for the next show
    EXPECT_EQ(in.host.saves, 1);

    in.toggle();
    in.click(CPoint(300, 186), kRButton);  // the caption takes no click either
    EXPECT_FALSE(in.panel->isShown());
    EXPECT_EQ(in.host.saves, 2);

    // Closed while shown: the frame lets go of it.
    in.toggle();
    in.panel->close();
    EXPECT_EQ(in.frame->getNbViews(), 0);
    EXPECT_EQ(in.panel->getContainer(), nullptr);
}

TEST_F(BackPanels, CalibrationControlsFollowGsiCalAndStrips) {
    Instance in(Meter::PPM);
    ASSERT_TRUE(in.opened);
    CQVXCalibrationControl* selector = in.panel->getCalibrationSelector();
    CMovieBitmap* caption = in.panel->getCalibrationCaption();
    ASSERT_TRUE(selector && caption);

    in.toggle();
    EXPECT_EQ(selector->getViewSize().getWidth(), 86);  // Strips are on in a new instance
    EXPECT_FLOAT_EQ(selector->getValue(), in.effect->getParameter(2));

    // The selector's I zone: the effect takes the mode, the caption follows.
    in.click(CPoint(30, 5));
    EXPECT_FLOAT_EQ(in.effect->getParameter(2), 1.0f);
    EXPECT_EQ(in.effect->calibrationMode(), 2);
    EXPECT_FLOAT_EQ(caption->getValue(), 1.0f);

    // While hidden nothing follows; the next show catches up with all of it.
    in.toggle();
    in.effect->setParameter(6, 0.0f);
    in.effect->setParameter(2, 0.0f);
    in.effect->setParameter(95, 0.9f);
    auto* hold = in.viewAt<CAnimKnob4>(knobCentre(80, 111));
    auto* holdText = in.viewAt<CTextLabel>(CPoint(100, 160));
    ASSERT_TRUE(hold && holdText);
    EXPECT_FLOAT_EQ(selector->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(caption->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(hold->getValue(), 0.5f);
    EXPECT_EQ(selector->getViewSize().getWidth(), 86);

    in.toggle();
    EXPECT_EQ(selector->getViewSize().getWidth(), 581);
    EXPECT_FLOAT_EQ(selector->getValue(), 0.0f);
    EXPECT_FLOAT_EQ(caption->getValue(), 0.0f);
    EXPECT_FLOAT_EQ(hold->getValue(), 0.9f);
    EXPECT_EQ(holdText->getText(), in.engineText(95));
}

TEST_F(BackPanels, GlobalSettingReachesAnotherInstanceAndIsStoredOnClose) {
    Instance a(Meter::RMS), b(Meter::RMS);
    ASSERT_TRUE(a.opened && b.opened);
    a.effect->setParameter(2, 0.0f);
    b.effect->setParameter(2, 0.0f);
    a.toggle();
    b.toggle();
    const CPoint reference = knobCentre(54, 35);
    auto* knobA = a.viewAt<CAnimKnob4>(reference);
    auto* knobB = b.viewAt<CAnimKnob4>(reference);
    ASSERT_TRUE(knobA && knobB);

    a.drag(reference, CPoint(reference.x + 30, reference.y));
    const float turned = knobA->getValue();
    ASSERT_NE(turned, knobB->getValue());

    // B's next front-panel idle pulls the shared value; its effect and its shown panel follow.
    b.engine->syncCalibration();
    EXPECT_FLOAT_EQ(b.engine->getParameter(72), turned);
    EXPECT_FLOAT_EQ(b.effect->getParameter(72), turned);
    EXPECT_FLOAT_EQ(knobB->getValue(), turned);
    EXPECT_EQ(std::string(b.viewAt<CTextLabel>(CPoint(75, 84))->getText()), a.viewAt<CTextLabel>(CPoint(75, 84))->getText());

    const velunor::MeterSetting* setting = velunor::findMeterSetting(72);
    ASSERT_TRUE(setting);
    EXPECT_NE(registryFloat(setting->registryName), velunor::filedSettingValue(*setting, turned));
    a.click(CPoint(400, 200));
    EXPECT_FALSE(a.panel->isShown());
    EXPECT_EQ(registryFloat(setting->registryName), velunor::filedSettingValue(*setting, turned));
}

TEST_F(BackPanels, NothingIsBuiltWithoutAFrame) {
    Instance in(Meter::VU);
    Templete* effect = in.effect.get();
    VUBackPanel orphan(effect, &in.host);
    EXPECT_FALSE(orphan.open(nullptr));
    EXPECT_EQ(orphan.getContainer(), nullptr);
    orphan.show();
    EXPECT_FALSE(orphan.isShown());
    orphan.parameterChanged(83, 1.0f);
    orphan.close();
}
