#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "core/EditorFactory.h"
#include "effect/LastChoices.h"
#include "effect/Templete.h"
#include "meters/CalibrationStores.h"
#include "tests/effect/TestHost.h"

namespace velunor {
namespace {

// What a freshly loaded library starts with; tests that create instances after others changed
// "Meter" or "GSIcal" in the same process put it back first.
void resetLastChoices() {
    LastChoices::meterType = 0;
    reloadCalibrationStores();  // and the last calibration mode back to Session
}

std::string display(Templete& t, VstInt32 index) {
    char text[kHostTextCapacity] = {};
    t.getParameterDisplay(index, text);
    return text;
}

struct DisplayCase {
    VstInt32 index;
    float value;
    const char* text;
};

TEST(TempleteParameters, DisplayTexts) {
    const DisplayCase cases[] = {
        {kProcess, 0.0f, "Off"},         {kProcess, 0.5f, "On"},
        {kTrim, 0.0f, "-20.0dB"},        {kTrim, 0.25f, "-10.0dB"},      {kTrim, 0.5f, "0.0dB"},
        {kTrim, 0.50125f, "0.1dB"},      {kTrim, 1.0f, "20.0dB"},        {kTrim, 0.41f, "-3.6dB"},
        {kMeter, 0.0f, "VUK"},           {kMeter, 0.3f, "RMSK"},         {kMeter, 0.74f, "RMSK"},
        {kMeter, 0.76f, "PPMK"},         {kStrips, 0.0f, "Hide"},        {kStrips, 1.0f, "Show"},
        {kShowFilters, 1.0f, "Show"},    {kShowLabel, 0.49f, "Hide"},    {kFiltersIn, 1.0f, "In"},
        {kFiltersIn, 0.0f, "Out"},       {kHighPassState, 0.0f, "Out"},  {kHighPassSlope, 1.0f, "24"},
        {kHighPassSlope, 0.0f, "12"},    {kLowPassState, 1.0f, "In"},    {kLowPassSlope, 0.0f, "6"},
        {kLowPassSlope, 1.0f, "18"},     {kHighPassFrequency, 0.0f, "20.0"}, {kHighPassFrequency, 0.5f, "200"},
        {kHighPassFrequency, 1.0f, "2k"}, {kLowPassFrequency, 0.25f, "949"}, {kLowPassFrequency, 0.6f, "4k75"},
        {kLowPassFrequency, 1.0f, "30k"}, {kLowPassFrequency, 0.0f, "300"},
        // Out of range is clamped first.
        {kTrim, 7.0f, "20.0dB"},         {kHighPassFrequency, -3.0f, "20.0"},
    };
    for (const DisplayCase& c : cases) {
        Templete t(&testing::testHostCallback);
        t.setParameter(c.index, c.value);
        EXPECT_EQ(display(t, c.index), c.text) << "index " << c.index << " value " << c.value;
    }
}

TEST(TempleteParameters, TextsOfTheSelectedMeterComeFromItsEngine) {
    resetLastChoices();
    const DisplayCase cases[] = {
        {kCalibrationMode, 0.0f, "Global"}, {kCalibrationMode, 0.5f, "Session"}, {kCalibrationMode, 1.0f, "Instance"},
        {kMidSide, 0.49f, "LR"},            {kMidSide, 0.5f, "MS"},              {kHold, 0.0f, "Off"},
        {kHold, 0.26f, "oo"},               {kHold, 0.75f, "On"},                {kLagTime, 0.0f, "0 ms"},
        {kLagTime, 0.25f, "250 ms"},        {kLagTime, 1.0f, "999 ms"},
    };
    for (float meter : {0.0f, 0.5f, 1.0f}) {
        Templete t(&testing::testHostCallback);
        t.setParameter(kMeter, meter);
        for (const DisplayCase& c : cases) {
            t.setParameter(c.index, c.value);
            EXPECT_EQ(display(t, c.index), c.text) << "meter " << meter << " index " << c.index << " value " << c.value;
        }
    }
    Templete t(&testing::testHostCallback);
    for (VstInt32 index : {-1, 17, 63, 64, 100, 1 << 30}) EXPECT_EQ(display(t, index), "") << index;
}

TEST(TempleteParameters, InitialValues) {
    resetLastChoices();
    Templete t(&testing::testHostCallback);
    const float expected[kPublicParameterCount] = {0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                                                   1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    for (VstInt32 i = 0; i < kPublicParameterCount; ++i) EXPECT_EQ(t.getParameter(i), expected[i]) << i;
    for (VstInt32 i = kPublicParameterCount; i < kHostParameterCount; ++i) EXPECT_EQ(t.getParameter(i), 0.5f) << i;
    // The engine settings are the engines' own defaults, read back from them.
    for (const MeterSetting& setting : kMeterSettings)
        EXPECT_EQ(t.getParameter(setting.index), setting.defaultValue) << setting.registryName;
    EXPECT_EQ(t.getParameter(82), 0.0f);
    EXPECT_EQ(t.getParameter(92), 0.0f);
    EXPECT_EQ(t.trimGain(), 1.0f);
    EXPECT_FALSE(t.processOn());
    EXPECT_FALSE(t.filtersIn());  // "ProcFlt" starts out, as its value says
    EXPECT_EQ(display(t, kFiltersIn), "Out");
    EXPECT_STREQ(t.label(), "Master Track");
    EXPECT_EQ(t.getAeffect()->flags & effFlagsHasEditor, 0);
}

TEST(TempleteParameters, TrimGainLaw) {
    Templete t(&testing::testHostCallback);
    const std::pair<float, float> cases[] = {{0.0f, 0.1f}, {0.5f, 1.0f}, {1.0f, 10.0f}, {0.75f, 3.16227766f}};
    for (const auto& [v, gain] : cases) {
        t.setParameter(kTrim, v);
        EXPECT_FLOAT_EQ(t.trimGain(), gain) << v;
    }
    t.setParameter(kTrim, 0.5f);
    EXPECT_EQ(t.trimGain(), 1.0f);
    t.setParameter(kTrim, 1.0f);
    EXPECT_EQ(t.trimGain(), 10.0f);
}

TEST(TempleteParameters, ValuesAreClampedAndNaNCountsAsBelowRange) {
    Templete t(&testing::testHostCallback);
    const std::pair<float, float> cases[] = {
        {std::numeric_limits<float>::quiet_NaN(), 0.0f}, {-std::numeric_limits<float>::quiet_NaN(), 0.0f},
        {std::numeric_limits<float>::infinity(), 1.0f},  {-std::numeric_limits<float>::infinity(), 0.0f},
        {2.0f, 1.0f},                                    {-0.5f, 0.0f},
        {std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::denorm_min()},
    };
    for (const auto& [in, out] : cases) {
        for (VstInt32 index : {VstInt32{kTrim}, VstInt32{kLagTime}, VstInt32{84}}) {
            t.setParameter(index, in);
            EXPECT_EQ(t.getParameter(index), out) << index << " <- " << in;
        }
    }
    t.setParameter(kTrim, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(display(t, kTrim), "-20.0dB");
}

TEST(TempleteParameters, ReservedAndUnknownIndicesChangeNothingButAreStillRecorded) {
    resetLastChoices();
    Templete t(&testing::testHostCallback);
    t.setParameter(40, 0.9f);
    EXPECT_EQ(t.getParameter(40), 0.5f);
    EXPECT_EQ(t.program(0).values[40], 0.9f);
    for (VstInt32 index : {-1, 64, 66, 68, 70, 71, 82, 92, 101, 1 << 30, -(1 << 30)}) {
        t.setParameter(index, 0.7f);
        EXPECT_EQ(t.getParameter(index), 0.0f) << index;
    }
    // The commands change no value.
    t.setParameter(kSaveGlobalCalibration, 1.0f);
    t.setParameter(kClearHeld, 1.0f);
    t.setParameter(kLabelChanged, 1.0f);
    Templete fresh(nullptr);
    for (VstInt32 i = 0; i < kPublicParameterCount; ++i)
        EXPECT_EQ(t.getParameter(i), fresh.getParameter(i)) << i;
}

TEST(TempleteParameters, EngineSettingsKeepTheEffectsCopy) {
    Templete t(&testing::testHostCallback);
    for (VstInt32 index = kFirstRmsSetting; index <= kLastPpmSetting; ++index) {
        const float v = static_cast<float>(index) / 200.0f;
        t.setParameter(index, v);
        EXPECT_EQ(t.getParameter(index), isEngineSetting(index) ? v : 0.0f) << index;
    }
}

TEST(TempleteParameters, NewInstanceStartsWithTheLastMeterAndCalibrationMode) {
    resetLastChoices();
    {
        Templete first(&testing::testHostCallback);
        first.setParameter(kMeter, 1.0f);
        first.setParameter(kCalibrationMode, 1.0f);
    }
    Templete second(&testing::testHostCallback);
    EXPECT_EQ(second.getParameter(kMeter), 1.0f);
    EXPECT_EQ(second.getParameter(kCalibrationMode), 1.0f);
    EXPECT_EQ(second.meterType(), 2);
    EXPECT_EQ(second.calibrationMode(), 2);
    EXPECT_EQ(display(second, kMeter), "PPMK");
    second.setParameter(kMeter, 0.3f);
    second.setParameter(kCalibrationMode, 0.0f);
    Templete third(&testing::testHostCallback);
    EXPECT_EQ(third.getParameter(kMeter), 0.5f);
    EXPECT_EQ(third.getParameter(kCalibrationMode), 0.0f);
}

TEST(TempleteParameters, Properties) {
    Templete t(&testing::testHostCallback);
    struct Expected {
        bool isSwitch;
        float step, small, large;
    };
    const Expected switchSteps{true, 1.0f, 1.0f, 1.0f};
    const Expected fine{false, 1.0f / 41.0f, 1.0f / 401.0f, 1.0f / 41.0f};
    const Expected threeWay{false, 0.5f, 0.5f, 0.5f};
    const Expected lag{false, static_cast<float>(1.0 / 99.9), 1.0f / 999.0f, static_cast<float>(1.0 / 99.9)};
    const Expected table[kPublicParameterCount] = {switchSteps, fine, threeWay, switchSteps, switchSteps,
                                                   threeWay, switchSteps, switchSteps, switchSteps, switchSteps,
                                                   switchSteps, fine, switchSteps, switchSteps, fine,
                                                   switchSteps, lag};
    const char* names[kPublicParameterCount] = {"Process", "Trim", "GSIcal", "Meter", "LR/MS", "Hold",
                                                "Strips", "ShowFlt", "ProcFlt", "HPStat", "HPSlope", "HPFreq",
                                                "LPStat", "LPSlope", "LPFreq", "ShowLbl", "LagTime"};
    for (VstInt32 i = 0; i < kPublicParameterCount; ++i) {
        VstParameterProperties p{};
        ASSERT_TRUE(t.getParameterProperties(i, &p));
        const Expected& e = table[i];
        EXPECT_EQ(p.flags, kVstParameterUsesFloatStep | (e.isSwitch ? kVstParameterIsSwitch : 0)) << i;
        EXPECT_EQ(p.stepFloat, e.step) << i;
        EXPECT_EQ(p.smallStepFloat, e.small) << i;
        EXPECT_EQ(p.largeStepFloat, e.large) << i;
        EXPECT_STREQ(p.label, names[i]);
        EXPECT_EQ(std::string(p.shortLabel), std::string(names[i]).substr(0, 7));
        char name[kHostTextCapacity] = {};
        t.getParameterName(i, name);
        EXPECT_STREQ(name, names[i]);
        EXPECT_TRUE(t.canParameterBeAutomated(i));
    }
    VstParameterProperties p{};
    for (VstInt32 i : {-1, 17, 63, 100}) {
        EXPECT_FALSE(t.getParameterProperties(i, &p));
        EXPECT_FALSE(t.canParameterBeAutomated(i));
    }
    EXPECT_FALSE(t.getParameterProperties(0, nullptr));
}

// An editor that records what the effect tells it.
class RecordingEditor : public AEffEditor {
public:
    explicit RecordingEditor(AudioEffect* effect) : AEffEditor(effect) { ++alive; }
    ~RecordingEditor() override {
        --alive;
        effect_->setEditor(nullptr);  // the editor detaches itself
    }
    void setParameter(VstInt32 index, float value) override { received.emplace_back(index, value); }
    void programNameChanged(const char* name) override { lastName = name; }
    std::vector<std::pair<VstInt32, float>> received;
    std::string lastName;
    static inline int alive = 0;
};

AEffEditor* makeRecordingEditor(AudioEffect* effect) { return new RecordingEditor(effect); }

TEST(TempleteEditor, EveryChangeReachesTheEditorAndTheEditorDetachesItself) {
    setEditorFactory(&makeRecordingEditor);
    {
        Templete t(&testing::testHostCallback);
        setEditorFactory(nullptr);
        ASSERT_EQ(RecordingEditor::alive, 1);
        EXPECT_NE(t.getAeffect()->flags & effFlagsHasEditor, 0);
        auto* editor = static_cast<RecordingEditor*>(t.getEditor());
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(editor->received.empty());  // the constructor sets its values directly
        for (VstInt32 index : {0, 40, 64, 65, 72, 150, -3}) t.setParameter(index, 2.0f);
        const std::vector<std::pair<VstInt32, float>> expected = {{0, 1.0f},  {40, 1.0f},  {64, 1.0f}, {65, 1.0f},
                                                                  {72, 1.0f}, {150, 1.0f}, {-3, 1.0f}};
        EXPECT_EQ(editor->received, expected);
        char name[] = "Drums";
        t.setProgramName(name);
        EXPECT_EQ(editor->lastName, "Drums");

        t.setEditor(nullptr);  // as the editor's destructor would
        EXPECT_EQ(t.getAeffect()->flags & effFlagsHasEditor, 0);
        EXPECT_EQ(t.getEditor(), nullptr);
        delete editor;
        EXPECT_EQ(RecordingEditor::alive, 0);
        t.setParameter(1, 0.3f);  // no editor to tell
    }
    setEditorFactory(&makeRecordingEditor);
    { Templete owner(&testing::testHostCallback); }
    setEditorFactory(nullptr);
    EXPECT_EQ(RecordingEditor::alive, 0);  // the effect deletes its editor
}

}  // namespace
}  // namespace velunor
