#include "player/core/PacedDisplay.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/base/FakeClock.h"
#include "shared/PlayerInterface.h"

namespace {

GopInfo FourChannels(uint32_t version, int fps) {
    GopInfo info{};
    info.version = version;
    info.channelCount = 4;
    info.gopFps = fps;
    for (int c = 0; c < 4; ++c)
        info.fps[c] = fps;
    return info;
}

struct PacingCase {
    uint32_t version;
    int state;
    int speed;
    int displayMs;
    int expectedMs;
};

// The time a GOP stays on screen follows the frame schedule of the display.
TEST(PacedDisplay, KeepsEachGopForTheTimeItsFramesAreShown) {
    const PacingCase cases[] = {
        {4, STATUS_PLAYING, 1, 900, 900},         // speed 1: the whole display time
        {3, STATUS_PLAYING, 1, 640, 640},         // older GOPs: their PCM time
        {4, STATUS_PAUSED, 1, 900, 0},            // one frame per step
        {4, STATUS_FAST_FORWARD, 2, 1000, 6500},  // 13 of 25 frames, each 500 ms
        {4, STATUS_FAST_FORWARD, 4, 1000, 1750},  // 7 frames of 250 ms
        {4, STATUS_FAST_FORWARD, 8, 1000, 125},   // the first frame only
        {4, STATUS_FAST_BACKWARD, 128, 1000, 125},
        {3, STATUS_FAST_FORWARD, 2, 500, 250},  // older GOPs: the first frame
        {3, STATUS_FAST_FORWARD, 16, 500, 62},
    };
    for (const PacingCase& c : cases) {
        SCOPED_TRACE("version " + std::to_string(c.version) + " speed " + std::to_string(c.speed));
        const GopInfo info = FourChannels(c.version, 25);
        const GopShowRequest request{nullptr, &info, -1, c.displayMs, c.speed, true, c.state};
        EXPECT_EQ(CPacedDisplay::PacingMs(request), c.expectedMs);
    }
}

TEST(PacedDisplay, ShowGopReturnsWhenTheFakeClockHasPassedTheDisplayTime) {
    ScopedFakeClock clock;
    CPacedDisplay display;
    const GopInfo info = FourChannels(4, 25);
    const GopShowRequest request{nullptr, &info, -1, 900, 1, true, STATUS_PLAYING};
    std::atomic<bool> shown{false};
    std::thread playback([&] {
        EXPECT_EQ(display.ShowGop(request), 0);
        shown = true;
    });
    ASSERT_TRUE(clock->WaitForSleepers(1));
    clock->Advance(899);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_FALSE(shown);
    clock->Advance(1);
    playback.join();
    EXPECT_TRUE(shown);
}

TEST(PacedDisplay, AcceptsANullWindow) {
    CPacedDisplay display;
    EXPECT_TRUE(display.Init(nullptr));
}

}  // namespace
