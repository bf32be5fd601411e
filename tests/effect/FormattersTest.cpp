#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "effect/FrequencyText.h"
#include "core/ValueText.h"

namespace velunor {
namespace {

std::string valueText(double x, int decimals) {
    char text[kValueTextCapacity] = "unchanged";
    formatValueText(x, decimals, text);
    return text;
}

std::string frequencyText(double hz) {
    char text[kValueTextCapacity] = "unchanged";
    formatFrequencyText(hz, text);
    return text;
}

struct ValueCase {
    double x;
    int decimals;
    const char* text;
};

TEST(ValueText, RoundsAtTheLastDecimalAndCuts) {
    const ValueCase cases[] = {
        {-3.5, 1, "-3.5"},      {0.0, 1, "0.0"},         {250.0, 0, "250"},      {31.6979, 1, "31.7"},
        {31.64, 1, "31.6"},     {-20.0, 1, "-20.0"},     {20.1 - 20.0, 1, "0.1"}, {999.0, 0, "999"},
        {948.68, 0, "949"},     {1.004, 2, "1.00"},      {1.005, 2, "1.01"},      {1.006, 2, "1.01"},     {9.999, 2, "10.00"},
        {-0.04, 1, "-0.0"},     {-31.6979, 1, "-31.7"},  {1234567.0, 0, "1234567"}, {-999999.0, 0, "-999999"},
        {0.7, 1, "0.7"},        {12.25, 2, "12.25"},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(valueText(c.x, c.decimals), c.text) << c.x << " with " << c.decimals << " decimals";
}

TEST(ValueText, OutOfRangeOrNotANumberLeavesTheTextAlone) {
    EXPECT_EQ(valueText(-10000000.0, 0), "unchanged");
    EXPECT_EQ(valueText(100000000.0, 0), "unchanged");
    EXPECT_EQ(valueText(std::numeric_limits<double>::quiet_NaN(), 1), "unchanged");
    EXPECT_EQ(valueText(std::numeric_limits<double>::infinity(), 1), "unchanged");
    EXPECT_EQ(valueText(1.0, 3), "unchanged");
    // The largest accepted magnitudes still fit the buffer.
    EXPECT_EQ(valueText(-9999999.0, 2), "-9999999.");
    EXPECT_EQ(valueText(99999999.0, 0), "99999999");
}

TEST(ValueText, RoundsHalvesAwayFromZero) {
    struct Case {
        double x;
        int decimals;
        const char* text;
    };
    const Case cases[] = {{-3.5, 1, "-3.5"}, {0.0, 1, "0.0"},    {250.0, 0, "250"},  {31.6979, 1, "31.7"},
                          {0.145, 2, "0.15"}, {1.995, 2, "2.00"}, {-0.04, 1, "-0.0"}, {-2.25, 1, "-2.3"},
                          {9999999.0, 0, "9999999"}, {2.3, 1, "2.3"}, {0.1479, 2, "0.15"}, {0.1445, 2, "0.14"}};
    for (const Case& c : cases) {
        char text[32];
        formatValueText(c.x, c.decimals, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.x;
    }
    char kept[8] = "kept";
    formatValueText(1e8, 0, kept, sizeof kept);
    EXPECT_STREQ(kept, "kept");
    char tiny[4];
    formatValueText(-12.5, 1, tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "-12");  // cut, still terminated
}

TEST(FrequencyText, KilohertzWithDigitsInPlaceOfThePoint) {
    const std::pair<double, const char*> cases[] = {
        {2000.0, "2k"},   {1050.0, "1k05"}, {1250.0, "1k25"}, {4754.7, "4k75"}, {12550.0, "12k5"},
        {30000.0, "30k"}, {200.0, "200"},   {20.0, "20.0"},   {5.5, "5.50"},   {99.96, "100.0"},
        {1000.0, "1k"},   {1100.0, "1k1"},  {10050.0, "10k0"}, {1009.0, "1k"},
    };
    for (const auto& [hz, text] : cases) EXPECT_EQ(frequencyText(hz), text) << hz;
    EXPECT_EQ(frequencyText(-1.0), "unchanged");
    EXPECT_EQ(frequencyText(std::nan("")), "unchanged");
    EXPECT_EQ(frequencyText(1e12), "unchanged");
}

}  // namespace
}  // namespace velunor
