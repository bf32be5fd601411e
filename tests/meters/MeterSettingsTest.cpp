#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "meters/MeterSettings.h"

namespace velunor {
namespace {

std::string display(VstInt32 index, float v) {
    char text[32] = "untouched";
    formatSettingDisplay(*findMeterSetting(index), v, text, sizeof text);
    return text;
}

TEST(MeterSettings, TableCoversTheThreeMetersInChunkOrder) {
    int slot = 0;
    for (const MeterSetting& s : kMeterSettings) {
        EXPECT_EQ(meterSettingSlot(s.index), slot++) << s.registryName;
        EXPECT_EQ(findMeterSetting(s.index), &s);
    }
    for (VstInt32 none : {0, 71, 82, 92, 101, 65, 67})
        EXPECT_EQ(findMeterSetting(none), nullptr) << none;
    EXPECT_EQ(meterSettingsOf(MeterType::RMS).size(), 10u);
    EXPECT_EQ(meterSettingsOf(MeterType::VU).size(), 9u);
    EXPECT_EQ(meterSettingsOf(MeterType::PPM).size(), 8u);
    EXPECT_EQ(meterSettingsOf(MeterType::VU).front().index, 83);
    EXPECT_EQ(syncOrderOf(MeterType::RMS)[3], 76);
    EXPECT_EQ(syncOrderOf(MeterType::RMS)[9], 80);
}

struct DisplayCase {
    VstInt32 index;
    float value;
    const char* text;
};

TEST(MeterSettings, DisplayTexts) {
    const DisplayCase cases[] = {
        {83, 0.25f, "-18.0dBFS"}, {93, 0.5f, "-12.0dBFS"}, {83, 1.0f, "0.0dBFS"},   {72, 0.667f, "0.0dBFS"},
        {72, 0.0f, "-20.0dBFS"},  {72, 1.0f, "10.0dBFS"},  {72, 0.5f, "-5.0dBFS"},  {84, 0.5f, "300ms"},
        {84, 0.1f, "75ms"},       {84, 0.9f, "1200ms"},    {84, 0.0f, "53ms"},      {84, 1.0f, "1697ms"},
        {85, 0.5f, "1.00s"},      {85, 0.1f, "0.15s"},     {85, 0.0875f, "0.14s"},  {85, 0.0f, "0.10s"},
        {85, 1.0f, "10.00s"},     {94, 0.5f, "10ms"},      {94, 0.4f, "5ms"},       {94, 0.0f, "0ms"},
        {94, 1.0f, "100ms"},      {96, 0.66f, "2.00s"},    {96, 0.7f, "2.80s"},     {73, 0.5f, "10ms"},
        {74, 0.5f, "1.00s"},      {75, 0.5f, "1.00s"},     {76, 0.66f, "2.00s"},
        // The float nearest to 0.65 is step 52 in single precision, step 51 in double precision.
        {96, 0.65f, "2.00s"},     {76, 0.65f, "1.88s"},
        // Settings without a text.
        {86, 1.0f, ""},           {89, 0.5f, ""},          {80, 0.5f, ""},
    };
    for (const DisplayCase& c : cases) EXPECT_EQ(display(c.index, c.value), c.text) << c.index << " @ " << c.value;
}

TEST(MeterSettings, WorkingValues) {
    struct Case {
        VstInt32 index;
        float value;
        double working;
    };
    const Case cases[] = {
        {83, 0.25f, -18.0},  {72, 0.667f, 0.0}, {89, 0.22f, 3},  {89, 1.0f, 10},     {89, 0.0f, 1},
        {98, 0.22f, 3},      {90, 1.0f, 1.0},   {90, 0.3f, 1 / 3.0}, {90, 0.6f, 2 / 3.0}, {90, 0.1f, 0.0},
        {79, 1.0f, 6},       {79, 0.0f, 0},     {79, 0.5f, 3},   {87, 0.5f, 1},      {87, 0.76f, 2},
        {87, 0.24f, 0},      {86, 0.49f, 0},    {86, 0.5f, 1},   {91, 0.49f, 0},     {80, 0.5f, 1},
        {84, 0.5f, 300.0},   {96, 0.66f, 1995.26}, {88, 0.3f, 0.3f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(settingWorkingValue(*findMeterSetting(c.index), c.value), c.working, 0.01) << c.index << " @ " << c.value;
}

TEST(MeterSettings, CorrectedMarksOfTheTimeTables) {
    const double holdMarks[][2] = {{2, 147.9}, {4, 251.2}, {6, 371.5}, {8, 653.9}, {12, 1499.7},
                                   {14, 2799.0}, {16, 4004.0}, {18, 7000.0}, {20, 10000.0}, {0, 100.0}, {10, 1000.0}};
    for (auto& m : holdMarks)
        EXPECT_NEAR(holdTableMs(holdTableCorrected(static_cast<float>(m[0]))), m[1], 0.1) << m[0];
    const double integrationMarks[][2] = {{2, 0.48}, {4, 1.52}, {6, 3.23}, {8, 5.48}, {10, 10.02}, {12, 13.98},
                                          {14, 25.00}, {16, 39.97}, {18, 69.96}, {20, 100.0}, {0, 0.0}};
    for (auto& m : integrationMarks)
        EXPECT_NEAR(integrationTableMs(integrationTableCorrected(static_cast<float>(m[0]))), m[1], 0.01) << m[0];
    // The steps beside a corrected mark keep the scale rising.
    for (int k = 1; k <= 80; ++k) {
        EXPECT_GT(holdTableMs(holdTableCorrected(stepPosition(k))), holdTableMs(holdTableCorrected(stepPosition(k - 1)))) << k;
        EXPECT_GT(integrationTableMs(integrationTableCorrected(stepPosition(k))),
                  integrationTableMs(integrationTableCorrected(stepPosition(k - 1)))) << k;
    }
}

TEST(MeterSettings, OutsideValuesAreMadeSafeAndRmsTimesAreFiledAsSteps) {
    const MeterSetting& overs = *findMeterSetting(89);
    EXPECT_EQ(sanitizeSettingValue(overs, std::numeric_limits<float>::quiet_NaN()), 0.22f);
    EXPECT_EQ(sanitizeSettingValue(overs, std::numeric_limits<float>::infinity()), 0.22f);
    EXPECT_EQ(sanitizeSettingValue(overs, -3.0f), 0.0f);
    EXPECT_EQ(sanitizeSettingValue(overs, 7.0f), 1.0f);
    EXPECT_EQ(sanitizeSettingValue(overs, 0.4f), 0.4f);

    EXPECT_EQ(filedSettingValue(*findMeterSetting(73), 0.66f), 0.65f);
    EXPECT_EQ(filedSettingValue(*findMeterSetting(76), 0.65f), 0.65f);
    EXPECT_EQ(filedSettingValue(*findMeterSetting(76), 1.0f), 1.0f);
    EXPECT_EQ(filedSettingValue(*findMeterSetting(72), 0.66f), 0.66f);   // not a time
    EXPECT_EQ(filedSettingValue(*findMeterSetting(96), 0.66f), 0.66f);   // PPM files as received
}

}  // namespace
}  // namespace velunor
