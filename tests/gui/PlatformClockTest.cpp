// The editor and the audio block stamps read one clock once the platform layer is installed.
#include <gtest/gtest.h>

#include <ctime>

#include "GuiTestSupport.h"
#include "core/BlockClock.h"
#include "platform/linux/LinuxPlatformFactory.h"

namespace {
std::uint32_t stoppedClock() noexcept { return 7; }
}  // namespace

TEST(PlatformClock, FrameTicksAndBlockStampsAreTheMonotonicMilliseconds) {
    velunor::setTickSource(&stoppedClock);
    velunor::platform::installLinuxPlatform();
    ASSERT_NE(velunor::tickCountMs(), 7u) << "the platform installs its clock";
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto expected = static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                                     static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
    const std::uint32_t ticks = velunor::tickCountMs();
    EXPECT_LE(ticks - expected, 50u);
    CFrame* frame = guitest::makeOffscreenFrame(10, 10);
    EXPECT_LE(frame->getTicks() - ticks, 50u);
    frame->close();
    velunor::BlockClock clock;
    clock.setEditorWindowOpen(true);
    EXPECT_NEAR(clock.stampSeconds(), velunor::tickCountMs() * 0.001, 0.05);
}
