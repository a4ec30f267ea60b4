#include "player/render/FrameSchedule.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shared/PlayerInterface.h"

namespace {

struct IntervalCase {
    int version, state, speed;
    bool forward;
    int frames, displayMs, want;
};

class IntervalTest : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalTest, FollowsVersionSpeedAndDirection) {
    const IntervalCase& c = GetParam();
    EXPECT_EQ(FrameInterval(c.version, c.state, c.speed, c.forward, c.frames, c.displayMs), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntervalTest,
    ::testing::Values(IntervalCase{4, STATUS_PLAYING, 1, true, 25, 900, 36},
                      IntervalCase{4, STATUS_PLAYING, 1, true, 1, 900, 900},
                      IntervalCase{4, STATUS_PAUSED, 1, true, 25, 900, 0},
                      IntervalCase{4, STATUS_FAST_FORWARD, 2, true, 25, 1000, 40},
                      IntervalCase{4, STATUS_FAST_FORWARD, 4, true, 1, 1000, 250},
                      IntervalCase{4, STATUS_FAST_BACKWARD, 2, false, 25, 1000, 500},
                      IntervalCase{4, STATUS_FAST_FORWARD, 8, true, 25, 1000, 125},
                      IntervalCase{4, STATUS_FAST_FORWARD, 128, true, 25, 1000, 125},
                      IntervalCase{3, STATUS_PLAYING, 1, true, 12, 500, 41},
                      IntervalCase{3, STATUS_PLAYING, 1, true, 1, 500, 500},
                      IntervalCase{3, STATUS_FAST_FORWARD, 4, true, 12, 500, 125},
                      IntervalCase{3, STATUS_FAST_FORWARD, 2, true, 12, 500, 250},
                      IntervalCase{2, STATUS_FAST_FORWARD, 16, true, 15, 500, 62}));

TEST(ChannelFrameCount, ClampsTheFiveBitFieldToTheFrameSlots) {
    auto info = std::make_unique<GopInfo>();
    info->version = 4;
    info->fps[0] = 31;
    info->fps[1] = 0;
    info->fps[2] = 25;
    EXPECT_EQ(ChannelFrameCount(*info, 0), 30);
    EXPECT_EQ(ChannelFrameCount(*info, 1), 1);
    EXPECT_EQ(ChannelFrameCount(*info, 2), 25);
    info->version = 3;
    info->gopFps = 12;
    EXPECT_EQ(ChannelFrameCount(*info, 0), 12);
}

TEST(StepFrameCount, IsTheMostOfTheChannelsHeldToTheFrameSlots) {
    auto info = std::make_unique<GopInfo>();
    info->version = 4;
    info->channelCount = 3;
    info->fps[0] = 12;
    info->fps[1] = 31;
    info->fps[3] = 25;  // beyond the channel count
    EXPECT_EQ(StepFrameCount(*info), 30);
    info->fps[1] = 0;
    EXPECT_EQ(StepFrameCount(*info), 12);
    info->channelCount = 0;
    EXPECT_EQ(StepFrameCount(*info), 1);
    info->version = 2;
    info->gopFps = 31;
    EXPECT_EQ(StepFrameCount(*info), 30);
}

DisplayContext Context(int version, int state, int speed, int frames, int stepIndex) {
    DisplayContext c{};
    c.version = version;
    c.state = state;
    c.speed = speed;
    c.forward = state != STATUS_FAST_BACKWARD;
    c.frameCount = frames;
    c.stepIndex = stepIndex;
    c.paneCount = 4;
    c.displayMs = 900;
    return c;
}

// The frames a thread decodes, by the advance rule alone.
std::vector<int> Walk(const DisplayContext& c) {
    std::vector<int> frames;
    const int toGo = FramesToGo(c);
    for (int j = 0; j >= 0 && j < toGo; j = NextFrame(c, j, toGo))
        frames.push_back(j);
    return frames;
}

TEST(NextFrame, Version4SkipsToEveryFourthLargeFrameInFourOrMorePanes) {
    DisplayContext c = Context(4, STATUS_PLAYING, 1, 25, -1);
    c.width = 1920;
    c.height = 1080;
    EXPECT_EQ(Walk(c), (std::vector<int>{0, 4, 8, 12, 16, 20, 24}));
    c.noSkip = true;
    EXPECT_EQ(Walk(c).size(), 25u);
    c.noSkip = false;
    c.paneCount = 1;
    EXPECT_EQ(Walk(c).size(), 25u);
    c.paneCount = 4;
    c.width = 960;
    c.height = 576;
    EXPECT_EQ(Walk(c).size(), 25u);
}

TEST(NextFrame, FastPlayShowsEverySpeedthFrameOrOnlyTheFirst) {
    EXPECT_EQ(Walk(Context(4, STATUS_FAST_FORWARD, 2, 25, -1)),
              (std::vector<int>{0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}));
    EXPECT_EQ(Walk(Context(4, STATUS_FAST_FORWARD, 4, 25, -1)),
              (std::vector<int>{0, 4, 8, 12, 16, 20, 24}));
    EXPECT_EQ(Walk(Context(4, STATUS_FAST_FORWARD, 8, 25, -1)), (std::vector<int>{0}));
    EXPECT_EQ(Walk(Context(3, STATUS_FAST_FORWARD, 2, 12, -1)), (std::vector<int>{0}));
    EXPECT_EQ(Walk(Context(3, STATUS_PLAYING, 1, 12, -1)).size(), 12u);
}

// The advance rule alone would show frames 0, 2, ... for 500 ms each.
TEST(NextFrame, FastBackwardShowsOnlyTheFirstFrame) {
    EXPECT_EQ(Walk(Context(4, STATUS_FAST_BACKWARD, 2, 25, -1)), (std::vector<int>{0}));
    DisplayContext backward = Context(4, STATUS_PLAYING, 1, 25, -1);
    backward.forward = false;
    EXPECT_EQ(Walk(backward), (std::vector<int>{0}));
}

TEST(FrameSchedule, PausedGoesUpToTheStepAndShowsOnlyIt) {
    const DisplayContext c = Context(4, STATUS_PAUSED, 1, 25, 3);
    EXPECT_EQ(Walk(c), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(FrameIsShown(c, 2));
    EXPECT_TRUE(FrameIsShown(c, 3));
    EXPECT_EQ(PauseAfterFrame(c, 3, 0), 0);
}

// The every-4th-frame rule lightens playback; a step in a layout it would
// apply to still goes through every frame up to its own.
TEST(FrameSchedule, AStepOfALargePictureInFourPanesGoesThroughEveryFrame) {
    for (int step : {4, 5, 13, 24}) {
        DisplayContext c = Context(4, STATUS_PAUSED, 1, 25, step);
        c.width = 1280;
        c.height = 720;
        std::vector<int> upToStep;
        for (int j = 0; j <= step; ++j)
            upToStep.push_back(j);
        EXPECT_EQ(Walk(c), upToStep) << "step " << step;
    }
}

// A header's 31 frames per second never takes an index past the 30 slots.
TEST(FrameSchedule, FramesToGoStayInsideTheFrameSlots) {
    EXPECT_EQ(FramesToGo(Context(4, STATUS_PAUSED, 1, 30, 30)), kMaxFramesPerChannel);
    EXPECT_EQ(FramesToGo(Context(4, STATUS_PLAYING, 1, 31, -1)), kMaxFramesPerChannel);
    EXPECT_EQ(FramesToGo(Context(4, STATUS_PAUSED, 1, 30, 29)), 30);
}

TEST(FrameSchedule, ResumingAfterAStepPacesFromTheFramesAlreadyShown) {
    DisplayContext c = Context(4, STATUS_PLAYING, 1, 25, 3);
    ScheduleFrames(&c, 25, 36);
    EXPECT_FALSE(FrameIsShown(c, 3));
    EXPECT_TRUE(FrameIsShown(c, 4));
    EXPECT_EQ(PauseAfterFrame(c, 4, 0), 72);  // 5 x 36 less the 3 intervals shown
    EXPECT_EQ(PauseAfterFrame(c, 4, 80), 0);
}

TEST(FrameSchedule, SpeedOneDueTimesCountFromTheGopStart) {
    DisplayContext c = Context(4, STATUS_PLAYING, 1, 25, -1);
    ScheduleFrames(&c, 25, 36);
    EXPECT_EQ(c.frameTime[0], 36);
    EXPECT_EQ(c.frameTime[24], 900);
    EXPECT_EQ(PauseAfterFrame(c, 4, 100), 80);
    DisplayContext fast = Context(4, STATUS_FAST_FORWARD, 2, 25, -1);
    ScheduleFrames(&fast, 25, 40);
    EXPECT_EQ(fast.frameTime[24], 40);
}

TEST(FrameSchedule, TheGopTimeEndsTenMillisecondsEarlyAndNeverBelowTen) {
    DisplayContext c = Context(4, STATUS_PLAYING, 1, 25, -1);
    EXPECT_FALSE(GopTimeIsOver(c, 890));
    EXPECT_TRUE(GopTimeIsOver(c, 891));
    c.displayMs = 5;
    EXPECT_FALSE(GopTimeIsOver(c, 100000));
    c.displayMs = 900;
    c.speed = 2;
    EXPECT_FALSE(GopTimeIsOver(c, 5000));
}

}  // namespace
