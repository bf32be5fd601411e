#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "effect/Templete.h"

namespace {

std::string programName(CPresetSystemEffect& e) {
    char text[64];
    std::memset(text, 'x', sizeof text);
    e.getProgramName(text);
    return text;
}

TEST(Programs, NewInstanceHasThreeEmptyProgramsAndOneCurrent) {
    Templete t(nullptr);
    EXPECT_EQ(programName(t), "");
    char text[64] = "junk";
    for (VstInt32 i = 0; i < 3; ++i) {
        std::strcpy(text, "junk");
        EXPECT_TRUE(t.getProgramNameIndexed(0, i, text));
        EXPECT_STREQ(text, "");
    }
    for (VstInt32 i : {3, -1, 1000}) {
        std::strcpy(text, "junk");
        EXPECT_FALSE(t.getProgramNameIndexed(0, i, text));
        EXPECT_STREQ(text, "junk");
    }
    t.setProgram(2);
    EXPECT_EQ(t.getProgram(), 0);
    for (int p = 0; p < CPresetSystemEffect::kProgramCount; ++p)
        for (int i = 0; i < CPresetSystemEffect::kProgramValueCount; ++i) EXPECT_EQ(t.program(p).values[i], 0.0f);
}

TEST(Programs, NamesKeepAtMost23Characters) {
    const std::pair<std::string, std::string> cases[] = {
        {"Lead vocal", "Lead vocal"},
        {std::string(22, 'a'), std::string(22, 'a')},
        {std::string(23, 'b'), std::string(23, 'b')},
        {std::string(24, 'c'), std::string(23, 'c')},
        {"123456789012345678901234567890", "12345678901234567890123"},
        {"", ""},
    };
    for (const auto& [given, kept] : cases) {
        Templete t(nullptr);
        std::string name = given;
        t.setProgramName(name.data());
        EXPECT_EQ(programName(t), kept);
        char text[64] = {};
        ASSERT_TRUE(t.getProgramNameIndexed(0, 0, text));
        EXPECT_EQ(std::string(text), kept);
    }
    Templete t(nullptr);
    std::string first = "A much longer first name";
    t.setProgramName(first.data());
    std::string second = "Short";
    t.setProgramName(second.data());
    EXPECT_EQ(programName(t), "Short");  // nothing of the longer name is left
}

TEST(Programs, HostParametersAreRecordedInProgramZero) {
    Templete t(nullptr);
    t.setParameter(1, 0.25f);
    EXPECT_EQ(t.program(0).values[1], 0.25f);
    t.setParameter(63, 0.75f);
    EXPECT_EQ(t.program(0).values[63], 0.75f);
    t.setParameter(1, 1.5f);
    EXPECT_EQ(t.program(0).values[1], 1.0f);  // the clamped value
    for (VstInt32 index : {64, 72, 100, -1}) t.setParameter(index, 0.5f);
    for (int p = 1; p < CPresetSystemEffect::kProgramCount; ++p) EXPECT_EQ(t.program(p).values[1], 0.0f);
}

}  // namespace
