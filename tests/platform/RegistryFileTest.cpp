#include <gtest/gtest.h>

#include <string>

#include "platform/linux/RegistryFile.h"

namespace velunor {
namespace {

const std::string kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorell\\QVXVELUNOR300]\n";

TEST(RegistryFile, ReadsTheExportSyntax) {
    auto file = RegistryFile::parse(
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\vantorell\\QVXVELUNOR300]\r\n"
        "\"Avureference\"=hex:00,00,80,3e\r\n"
        "\"ManualPath\"=\"C:\\\\Manuals\\\\say \\\"hi\\\".pdf\"\r\n"
        "\"Long\"=hex:01,02,\\\r\n  03,04\r\n"
        "\"Count\"=dword:0000002a\r\n");
    const auto* ref = file.find("AVUREFERENCE");
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(ref->data, std::string("\x00\x00\x80\x3e", 4));
    ASSERT_NE(file.find("ManualPath"), nullptr);
    EXPECT_EQ(file.find("ManualPath")->data, "C:\\Manuals\\say \"hi\".pdf");
    ASSERT_NE(file.find("Long"), nullptr);
    EXPECT_EQ(file.find("Long")->data, std::string("\x01\x02\x03\x04", 4));
    ASSERT_NE(file.find("Count"), nullptr);
    EXPECT_EQ(file.find("Count")->data, std::string("\x2a\x00\x00\x00", 4));
}

TEST(RegistryFile, ABadLineLosesOnlyItsOwnValue) {
    const char* badLines[] = {
        "\"Broken\"=hex:00,0g,80,3e",    "\"Broken\"=hex:000,80",       "\"Broken\"=\"no end",
        "\"Broken\"=\"bad \\n escape\"", "\"Broken\"=dword:12",         "\"Broken\"=hex(zz):00",
        "\"Broken\"",                    "\"Broken\"=\"x\" trailing",   "Broken=hex:00",
        "\"Broken\"=hex(1:00",           "\"Broken\"=\"x\"\"y\"",       "\"\"=hex:00",
    };
    for (const char* bad : badLines) {
        auto file = RegistryFile::parse(kHeader + "\"Before\"=hex:01\n" + bad + "\n\"After\"=\"ok\"\n");
        EXPECT_EQ(file.find("Broken"), nullptr) << bad;
        ASSERT_NE(file.find("Before"), nullptr) << bad;
        ASSERT_NE(file.find("After"), nullptr) << bad;
        EXPECT_EQ(file.find("After")->data, "ok") << bad;
    }
}

TEST(RegistryFile, KeepsOtherKeysAndUnknownTypesOnRewrite) {
    std::string text = kHeader +
                       "\"Odd\"=hex(7):61,00,62,00,00,00\n"
                       "\"Mine\"=hex:01\n"
                       "\n[HKEY_CURRENT_USER\\SOFTWARE\\Someone\\Else]\n\"Theirs\"=\"kept\"\n";
    auto file = RegistryFile::parse(text);
    ASSERT_TRUE(file.set("Mine", RegistryFile::kBinary, "\x02"));
    std::string written = file.serialize();
    EXPECT_NE(written.find("\"Odd\"=hex(7):61,00,62,00,00,00\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[HKEY_CURRENT_USER\\SOFTWARE\\Someone\\Else]\n\"Theirs\"=\"kept\"\n"),
              std::string::npos) << written;
    auto again = RegistryFile::parse(written);
    EXPECT_EQ(again.find("Mine")->data, "\x02");
    EXPECT_EQ(again.find("Theirs"), nullptr);  // not a value of our key
}

TEST(RegistryFile, ASectionLineNeverContinuesAWrappedValue) {
    // Both once found by the fuzzer: a section header ending in a backslash, and a wrapped value
    // followed by a section header.
    for (const char* tail : {"[HK1,\\\n\"Theirs\"=\"x\"\n", "\"Cut\"=hex:01,\\\n[HK1]\n\"Theirs\"=\"x\"\n"}) {
        auto file = RegistryFile::parse(kHeader + "\"Mine\"=hex:01\n" + tail + "\r\r");
        EXPECT_NE(file.find("Mine"), nullptr) << tail;
        EXPECT_EQ(file.find("Theirs"), nullptr) << tail;
        EXPECT_EQ(file.find("Cut"), nullptr) << tail;
        const std::string written = file.serialize();
        EXPECT_EQ(RegistryFile::parse(written).serialize(), written) << tail;
    }
}

TEST(RegistryFile, AwkwardStringsReadBackExactly) {
    const std::string texts[] = {
        "plain",
        "quote \" and backslash \\ and \\\" together\\",
        "new\nline\rand\ttab",
        "\x7f delete and \x1b escape",
        std::string("latin-1 caf\xe9 and a lone \xff\xfe byte"),
        "\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5",  // valid UTF-8
        "\xc0\xaf overlong \xed\xa0\x80 surrogate \xc2\x85 C1",
        "",
        "] [HKEY_CURRENT_USER\\x]\n\"Evil\"=hex:00",
    };
    RegistryFile file;
    for (std::size_t i = 0; i < std::size(texts); ++i)
        ASSERT_TRUE(file.set("Text" + std::to_string(i), RegistryFile::kString, texts[i]));
    std::string written = file.serialize();
    auto again = RegistryFile::parse(written);
    EXPECT_EQ(again.find("Evil"), nullptr);
    ASSERT_EQ(again.values().size(), std::size(texts)) << written;
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        const auto* v = again.find("Text" + std::to_string(i));
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(v->data, texts[i]) << i;
        EXPECT_EQ(v->registryType, RegistryFile::kString) << i;
    }
    // One value per line: nothing a text holds can start a line of its own.
    std::size_t lines = 0;
    for (char c : written) lines += c == '\n';
    EXPECT_EQ(lines, 3 + std::size(texts));
}

TEST(RegistryFile, NamesTheFileCannotHoldAreRefused) {
    RegistryFile file;
    EXPECT_FALSE(file.set("", RegistryFile::kBinary, "x"));
    EXPECT_FALSE(file.set("two\nlines", RegistryFile::kBinary, "x"));
    EXPECT_FALSE(file.set("bad \xff byte", RegistryFile::kBinary, "x"));
    EXPECT_TRUE(file.set("with \"quotes\" \\ ok", RegistryFile::kBinary, "x"));
    auto again = RegistryFile::parse(file.serialize());
    ASSERT_NE(again.find("with \"quotes\" \\ ok"), nullptr);
}

}  // namespace
}  // namespace velunor
