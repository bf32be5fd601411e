// The label's text crossing threads: a reader sees one whole text or the other, never a mix.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "core/SharedText.h"

namespace {

TEST(SharedText, KeepsItsBytesAsGivenWithOneZeroAtLeast) {
    velunor::SharedText<8> text;
    EXPECT_STREQ(text.load(), "");
    text.store("abc", 3);
    EXPECT_STREQ(text.load(), "abc");
    text.store("abcdefghij", 10);
    EXPECT_STREQ(text.load(), "abcdefg");
    text.store("xy\0zzzzz", 8);  // the bytes after the zero are kept too
    const auto copy = text.load();
    EXPECT_STREQ(copy, "xy");
    EXPECT_EQ(std::string(copy.bytes.data(), 8), std::string("xy\0zzzzz", 8));
    text.store(nullptr, 4);
    EXPECT_STREQ(text.load(), "");
}

TEST(SharedText, AReaderNeverSeesHalfOfOneTextAndHalfOfAnother) {
    velunor::SharedText<40> text;
    const std::string a(39, 'a'), b(20, 'b');
    text.store(a.c_str(), a.size());
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) {
            const std::string& t = i % 2 ? a : b;
            text.store(t.c_str(), t.size());
        }
        done = true;
    });
    int mixed = 0;
    while (!done.load()) {
        const std::string seen = text.load().data();
        if (seen != a && seen != b) ++mixed;
    }
    writer.join();
    EXPECT_EQ(mixed, 0);
}

}  // namespace
