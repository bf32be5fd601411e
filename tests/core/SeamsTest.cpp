#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/BlockClock.h"
#include "core/EditorFactory.h"
#include "core/SettingsStore.h"

namespace velunor {
namespace {

std::uint32_t fixedTick() noexcept { return 12345; }

TEST(BlockClock, StampIsZeroWhileTheWindowIsClosed) {
    setTickSource(&fixedTick);
    BlockClock clock;
    EXPECT_EQ(clock.stampSeconds(), 0.0);
    clock.setEditorWindowOpen(true);
    EXPECT_DOUBLE_EQ(clock.stampSeconds(), 12.345);
    clock.setEditorWindowOpen(false);
    EXPECT_EQ(clock.stampSeconds(), 0.0);
    setTickSource(nullptr);  // back to the steady clock
    std::uint32_t a = tickCountMs();
    std::uint32_t b = tickCountMs();
    EXPECT_LE(a, b);
}

TEST(EditorFactory, NoFactoryMeansNoEditor) {
    setEditorFactory(nullptr);
    EXPECT_EQ(createEditor(nullptr), nullptr);
}

TEST(TestMain, SettingsFolderIsPrivateToTheProcess) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* tmp = std::getenv("VELUNOR_TEST_TMP");
    ASSERT_NE(config, nullptr);
    ASSERT_NE(tmp, nullptr);
    EXPECT_EQ(std::string(config).rfind(tmp, 0), 0u);
}

}  // namespace
}  // namespace velunor
