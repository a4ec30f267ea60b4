// A GOP whose interruption comes true while it is shown stops at its next
// frame: its display threads end at once, on a clock that does not move on.
// A GOP nobody interrupts keeps its whole time, even when the display is
// woken for nothing.
#include <gtest/gtest.h>

#include "shared/PlayerInterface.h"
#include "tests/player/render/DisplayFixture.h"

namespace {

constexpr int kCif = 6;     // 352 x 288
constexpr int kV4Ms = 900;  // D of a version-4 GOP at speed 1
constexpr int kFastMs = 1000;

recgen::RecordingPlan FourCifChannels() {
    recgen::RecordingPlan plan;
    plan.channels = 4;
    plan.resolutionCodes = {kCif};
    plan.fps = 25;
    plan.gopCount = 1;
    plan.audio = recgen::AudioKind::kNone;
    return plan;
}

std::vector<int> Frames(std::initializer_list<int> frames) {
    return frames;
}

struct InterruptCase {
    const char* name;
    int state;
    int speed;
    int displayMs;
    uint64_t atMs;             // the clock starts at 1000
    std::vector<int> decoded;  // frames of each channel decoded before the GOP stops
};

void PrintTo(const InterruptCase& c, std::ostream* os) {
    *os << c.name;
}

class InterruptedGopTest : public DisplayFixture,
                           public ::testing::WithParamInterface<InterruptCase> {};

TEST_P(InterruptedGopTest, StopsAtItsNextFrame) {
    const InterruptCase& c = GetParam();
    Record(FourCifChannels());
    ASSERT_EQ(ShowInterrupted(Request(0, c.state, c.speed, -1, c.displayMs), c.atMs), 0);
    EXPECT_EQ(clock_->NowMs(), c.atMs);
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_EQ(counting_.Frames(channel, *gops_[0]), c.decoded) << "channel " << channel;
}

// At speed 1 the frames are due every 36 ms from the GOP's start; in fast
// forward at speed 2 every second frame comes 40 ms after the one before.
INSTANTIATE_TEST_SUITE_P(
    Cases, InterruptedGopTest,
    ::testing::Values(InterruptCase{"BeforeItsFirstFrame", STATUS_PLAYING, 1, kV4Ms, 1000, {}},
                      InterruptCase{"PlayingAfterFrameTwo", STATUS_PLAYING, 1, kV4Ms, 1100,
                                    Frames({0, 1, 2})},
                      InterruptCase{"PlayingJustBeforeTheLastFrame", STATUS_PLAYING, 1, kV4Ms, 1863,
                                    Frames({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                            12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23})},
                      InterruptCase{"FastForwardAfterFrameTwo", STATUS_FAST_FORWARD, 2, kFastMs,
                                    1050, Frames({0, 2})}),
    [](const ::testing::TestParamInfo<InterruptCase>& p) { return p.param.name; });

TEST_F(DisplayFixture, AGopWokenForNothingKeepsItsWholeTime) {
    Record(FourCifChannels());
    ASSERT_EQ(ShowInterrupted(Request(0, STATUS_PLAYING, 1, -1, kV4Ms), 1100, false), 0);
    for (int c = 0; c < 4; ++c) {
        std::vector<uint64_t> due;
        for (uint64_t j = 0; j < 25; ++j)
            due.push_back(1000 + 36 * j);
        EXPECT_EQ(counting_.Times(c), due) << "channel " << c;
    }
    EXPECT_EQ(clock_->NowMs(), 1000u + kV4Ms);
}

}  // namespace
