#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/Event.h"
#include "platform/base/Thread.h"
#include "tests/player/core/CoreFixture.h"

namespace {

using PlaybackTest = CoreFixture;

std::vector<int> GopsOf(const std::vector<Shown>& shown, size_t from = 0) {
    std::vector<int> gops;
    for (size_t i = from; i < shown.size(); ++i)
        gops.push_back(shown[i].gop);
    return gops;
}

TEST_F(PlaybackTest, EveryGopIsShownBeforeTheEndOfData) {
    WritePair(5);
    Open();
    display_.Give(100);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    const std::vector<Shown> shown = display_.ShownSoFar();
    EXPECT_EQ(GopsOf(shown), (std::vector<int>{0, 1, 2, 3, 4}));
    for (const Shown& gop : shown)
        EXPECT_FALSE(gop.interrupted) << "GOP " << gop.gop;  // each kept its whole time
    EXPECT_EQ(shown[0].displayMs, 900);                      // version 4 at speed 1
    EXPECT_EQ(shown[0].stepIndex, -1);
    EXPECT_EQ(player_.TellStatusType(), STATUS_PLAYING);  // the end changes no state
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

// Play from stopped reads from the start into an empty queue: no GOP the read
// thread has queued by the time the playback thread starts is dropped.
TEST_F(PlaybackTest, EveryPlayFromStoppedShowsTheFirstGopFirst) {
    WritePair(5);
    Open();
    display_.Give(1000);
    for (int play = 1; play <= 5; ++play) {
        SCOPED_TRACE("play " + std::to_string(play));
        ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
        ASSERT_TRUE(WaitForMessage(MSG_PLAY_END, kWaitBoundMs, play));
        ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    }
    const std::vector<Shown> shown = display_.ShownSoFar();
    std::vector<int> expected;
    for (int play = 1; play <= 5; ++play)
        expected.insert(expected.end(), {0, 1, 2, 3, 4});
    EXPECT_EQ(GopsOf(shown), expected);
}

// A play that reaches the end while the host still handles the end message
// of the play before (here: the host stops and plays again from inside it,
// and returns once the new playback has ended) has its end reported too.
TEST_F(PlaybackTest, AnEndReachedWhileTheOneBeforeIsReportedIsReportedToo) {
    WritePair(3);
    Open();
    display_.Give(1000);
    // The hook outlives this body (the second end is reported after the
    // test has seen it): what it uses lives as long as the hook.
    auto replayed = std::make_shared<std::atomic<bool>>(false);
    auto playTaken = std::make_shared<std::atomic<bool>>(false);
    OnEachMessage([this, replayed, playTaken](int code) {
        if (code != MSG_PLAY_END || replayed->exchange(true))
            return;
        // The first play's result may still be on its way to the test's
        // thread (a loaded machine): the stop's result is the next one after.
        ASSERT_TRUE(WaitFor([&] { return playTaken->load(); }));
        ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
        const int stopped = RunningThreadRoutines();
        ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
        // The playback thread ends once it has signalled the end; the read
        // thread stays.
        ASSERT_TRUE(WaitFor([&] { return RunningThreadRoutines() <= stopped + 1; }));
        EXPECT_EQ(display_.ShownSoFar().size(), 6u);
    });
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    *playTaken = true;
    EXPECT_TRUE(WaitForMessage(MSG_PLAY_END, kWaitBoundMs, 2));
    EXPECT_TRUE(*replayed);
}

// The playback thread of a play from stopped may reach its loop before its
// starter goes on (a loaded machine): it finds the player playing already,
// and plays. Held here until the thread has shown a GOP or ended.
TEST_F(PlaybackTest, APlaybackThreadThatRunsBeforeItsStarterGoesOnPlays) {
    WritePair(3);
    Open();
    display_.Give(1000);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    const size_t shownBefore = display_.ShownSoFar().size();
    auto endedFirst = std::make_shared<std::atomic<bool>>(false);
    const auto nothingShown = [this, shownBefore] {
        return display_.ShownSoFar().size() == shownBefore;
    };
    HoldNextThreadStarters(
        1,
        [endedFirst, nothingShown](HANDLE playback) {
            const auto ended = [playback] {
                return WaitForSingleObject(playback, 0) == WAIT_OBJECT_0;
            };
            WaitFor([&] { return ended() || !nothingShown(); });
            *endedFirst = ended() && nothingShown();
        },
        1);  // the read thread starts first
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    HoldNextThreadStarters(0, nullptr);
    ASSERT_FALSE(*endedFirst) << "the playback thread ended before it showed anything";
    EXPECT_TRUE(WaitForMessage(MSG_PLAY_END, kWaitBoundMs, 2));
    EXPECT_EQ(GopsOf(display_.ShownSoFar(), shownBefore), (std::vector<int>{0, 1, 2}));
}

// The end of the data leaves the state as it was with no playback thread: a
// command that goes on playing starts one, and what it asks for is shown.
struct AfterEndCase {
    const char* name;
    std::vector<std::pair<int, intptr_t>> commands;  // a seek goes to GOP a
    int firstShown;
    int state;
};

class AfterTheEndTest : public CoreFixture, public testing::WithParamInterface<AfterEndCase> {};

TEST_P(AfterTheEndTest, ACommandAfterTheEndOfTheDataPlaysAgain) {
    const AfterEndCase& c = GetParam();
    WritePair(5);
    Open();
    display_.Give(1000);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    const size_t shown = display_.ShownSoFar().size();
    ASSERT_EQ(shown, 5u);
    for (const auto& [cmd, a] : c.commands) {
        const int64_t position = cmd == PLAY_CMD_SEEK ? int64_t(OffsetOfGop(int(a))) : 0;
        EXPECT_EQ(Command(cmd, cmd == PLAY_CMD_SEEK ? 0 : a, position) % 2, 1)
            << "command " << cmd << " refused";
    }
    const std::vector<Shown> after = display_.WaitForShown(shown + 1);
    ASSERT_GT(after.size(), shown) << "nothing was shown after the end";
    EXPECT_EQ(after[shown].gop, c.firstShown);
    EXPECT_EQ(after[shown].state, c.state);
    EXPECT_EQ(player_.TellStatusType(), c.state);
}

std::string NameOf(const testing::TestParamInfo<AfterEndCase>& test) {
    return test.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AfterTheEndTest,
    testing::Values(AfterEndCase{"Seek", {{PLAY_CMD_SEEK, 2}}, 2, STATUS_PLAYING},
                    AfterEndCase{
                        "FastBackward", {{PLAY_CMD_FAST_BACKWARD, 1}}, 3, STATUS_FAST_BACKWARD},
                    AfterEndCase{"PauseAndStepBack",
                                 {{PLAY_CMD_PAUSE, 0}, {PLAY_CMD_STEP_BACKWARD, 0}},
                                 4,
                                 STATUS_PAUSED}),
    NameOf);

// Frames per second in the frame headers, and the frames a GOP holds: a
// header may say 31, one more than a GOP can hold.
struct StepCase {
    int fps;
    int frames;
};

class SteppingTest : public CoreFixture, public testing::WithParamInterface<StepCase> {};

TEST_P(SteppingTest, PausedStepsShowSuccessiveFramesThenTheNextGop) {
    const int frames = GetParam().frames;
    WritePair(4, {.fps = GetParam().fps});
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // GOP 0 held on screen
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    display_.Give(1);
    // Each step is sent once the frame of the one before is shown, as a user
    // would: steps sent faster merge into one.
    for (int step = 0; step < frames + 1; ++step) {
        ASSERT_EQ(Command(PLAY_CMD_STEP_FORWARD), MSG_STEP_FORWARD_DONE);
        display_.WaitForShown(size_t(step) + 2);
    }
    const std::vector<Shown> shown = display_.ShownSoFar();
    ASSERT_EQ(shown.size(), size_t(frames) + 2);
    for (int step = 0; step < frames; ++step) {
        EXPECT_EQ(shown[size_t(step) + 1].gop, 1);
        EXPECT_EQ(shown[size_t(step) + 1].stepIndex, step);
        EXPECT_EQ(shown[size_t(step) + 1].state, STATUS_PAUSED);
    }
    EXPECT_EQ(shown.back().gop, 2);  // after the last frame, frame 0 of the next GOP
    EXPECT_EQ(shown.back().stepIndex, 0);
}

INSTANTIATE_TEST_SUITE_P(FrameRates, SteppingTest,
                         testing::Values(StepCase{kFrames, kFrames},
                                         StepCase{31, kMaxFramesPerChannel}));

TEST_F(PlaybackTest, AStepBackFromPlayingShowsTheFrameBeforeTheLastOfTheSameGop) {
    WritePair(4);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    display_.Give(1);
    ASSERT_EQ(Command(PLAY_CMD_STEP_BACKWARD), MSG_STEP_BACKWARD_DONE);
    const std::vector<Shown> shown = display_.WaitForShown(2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].gop, 0);
    EXPECT_EQ(shown[1].stepIndex, kFrames - 2);
    EXPECT_FALSE(shown[1].forward);
}

// A step turns at the bounds of the GOP on screen. Until the first GOP of a
// playback is shown (here none ever is: the second recording's GOPs do not
// parse), those are where the playback started, not where the last one, of
// a longer recording, left off.
TEST_F(PlaybackTest, AStepBeforeTheFirstGopOfANewRecordingStaysWithinIt) {
    WritePair(8);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(GiveUntilMessage(MSG_PLAY_END));
    ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    ASSERT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    const size_t shown = display_.ShownSoFar().size();

    WritePair(2, {.version = 9});
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    ASSERT_EQ(Command(PLAY_CMD_STEP_BACKWARD), MSG_STEP_BACKWARD_DONE);
    const std::vector<int> errors = Errors();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), int(ERR_FILE_SEEK_OUT_OF_RANGE)), 0)
        << "the step sought outside the open recording";
    EXPECT_EQ(display_.ShownSoFar().size(), shown);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

TEST_F(PlaybackTest, TheFirstGopAfterASeekIsTheOneSoughtTo) {
    WritePair(8);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // GOP 0 on screen, 1 and 2 queued
    ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, int64_t(OffsetOfGop(5))), MSG_SEEK_DONE);
    display_.Give(3);
    std::vector<Shown> shown = display_.WaitForShown(3);
    shown.resize(3);
    EXPECT_EQ(GopsOf(shown), (std::vector<int>{0, 5, 6}));
}

TEST_F(PlaybackTest, ASeekFromFastBackwardPlaysForwardAtSpeedOne) {
    WritePair(8);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);
    ASSERT_EQ(Command(PLAY_CMD_FAST_BACKWARD, 2), MSG_FAST_BACKWARD_DONE);
    // The seek restarts the playback thread, which ends once its held GOP
    // is let go.
    player_.PlayMSG(PLAY_CMD_SEEK, 0, uint32_t(OffsetOfGop(3)), 0, nullptr);
    ASSERT_TRUE(GiveUntilMessage(MSG_SEEK_DONE)) << "the seek never finished";
    EXPECT_EQ(player_.TellStatusType(), STATUS_PLAYING);
    display_.Give(2);
    // GOP 0 was shown at speed 1, then maybe GOPs of the fast backward play
    // at speed 4; the new playback thread's GOPs follow.
    std::vector<Shown> shown = display_.WaitForShown(2);
    size_t first = 1;
    while (first < shown.size() && shown[first].speed != 1)
        ++first;
    shown = display_.WaitForShown(first + 2);
    ASSERT_GE(shown.size(), first + 2);
    EXPECT_EQ(shown[first].gop, 3);
    EXPECT_EQ(shown[first].speed, 1);
    EXPECT_TRUE(shown[first].forward);
    EXPECT_EQ(shown[first + 1].gop, 4);
}

TEST_F(PlaybackTest, FastForwardAtSixteenPassesEveryOtherGop) {
    WritePair(10);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // GOP 0 on screen, the next ones queued
    ASSERT_EQ(Command(PLAY_CMD_FAST_FORWARD, 4), MSG_FAST_FORWARD_DONE);
    display_.Give(100);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    // The GOPs queued before the change come one by one, then every other
    // one to the end: 0, 1, 2, 4, 6, 8 when two were queued.
    const std::vector<Shown> shown = display_.ShownSoFar();
    ASSERT_GE(shown.size(), 5u);
    size_t i = 1;
    while (i < shown.size() && shown[i].gop == shown[i - 1].gop + 1)
        ++i;
    EXPECT_GE(shown.size() - i, 3u);
    for (; i < shown.size(); ++i)
        EXPECT_EQ(shown[i].gop, shown[i - 1].gop + 2);
    EXPECT_GE(shown.back().gop, 8);
    EXPECT_EQ(shown.back().speed, 16);
    EXPECT_EQ(shown.back().displayMs, 1000);
}

TEST_F(PlaybackTest, FastBackwardFromPlayingEmptiesTheQueueAndReadsBackward) {
    WritePair(8);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.Give(5);
    display_.WaitForShown(6);  // GOP 5 on screen, 6 and 7 read ahead
    ASSERT_EQ(Command(PLAY_CMD_FAST_BACKWARD, 1), MSG_FAST_BACKWARD_DONE);
    display_.Give(3);  // GOP 5 ended by the command: three more go, the fourth is held
    const std::vector<Shown> shown = display_.WaitForShown(10);
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_TRUE(shown[5].interrupted);
    // The turn is at the GOP on screen: the one before it comes first.
    EXPECT_EQ(GopsOf(shown, 6), (std::vector<int>{4, 3, 2, 1}));
    for (size_t i = 6; i < shown.size(); ++i) {
        EXPECT_FALSE(shown[i].forward);
        EXPECT_EQ(shown[i].speed, 2);
    }
}

// Fast forward from fast backward turns at the GOP on screen too: the one
// after it comes first, not the ones read backward before the turn again.
TEST_F(PlaybackTest, FastForwardFromFastBackwardShowsTheGopAfterTheOneOnScreen) {
    WritePair(10);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.Give(6);
    display_.WaitForShown(7);  // GOP 6 on screen
    ASSERT_EQ(Command(PLAY_CMD_FAST_BACKWARD, 1), MSG_FAST_BACKWARD_DONE);
    display_.Give(1);
    display_.WaitForShown(9);  // GOP 5 shown, 4 on screen, the reader before 2 or 3
    ASSERT_EQ(Command(PLAY_CMD_FAST_FORWARD, 1), MSG_FAST_FORWARD_DONE);
    display_.Give(2);  // GOPs 5 and 6 go, 7 is held
    const std::vector<Shown> shown = display_.WaitForShown(12);
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_EQ(GopsOf(shown, 7), (std::vector<int>{5, 4, 5, 6, 7}));
    EXPECT_TRUE(shown[9].forward);
}

TEST_F(PlaybackTest, PlayWhilePlayingNeverRunsTwoPlaybackThreads) {
    WritePair(8);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);
    // The second play waits for the held thread to end before it starts one.
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    ASSERT_TRUE(GiveUntilMessage(MSG_PLAY_DONE, 2)) << "the second play never finished";
    ASSERT_EQ(NextResult(), MSG_PLAY_DONE);
    display_.Give(3);
    display_.WaitForShown(3);
    EXPECT_EQ(display_.MostAtOnce(), 1);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

TEST_F(PlaybackTest, AChannelMissingFromAGopHasNoFramesFromTheGopBefore) {
    WritePair(3, {.oneChannelGops = {1}});  // GOP 1 holds channel 1 only
    Open();
    display_.Give(10);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    const std::vector<Shown> shown = display_.ShownSoFar();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].channel1Frames, 17u);
    EXPECT_EQ(shown[1].channel1Frames, 0u);
    EXPECT_EQ(shown[2].channel1Frames, 17u);
}

// A jump moves playback at once, as a seek does: the GOP on screen ends and
// the next one shown is the twentieth before or after it.
TEST_F(PlaybackTest, AJumpShowsTheGopTwentyFromTheOneOnScreenNext) {
    WritePair(50);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.Give(24);
    display_.WaitForShown(25);  // GOP 24 on screen, the next ones read ahead
    ASSERT_EQ(Command(PLAY_CMD_JUMP, 1), MSG_JUMP_STORED);
    display_.Give(1);
    display_.WaitForShown(27);  // GOP 4 shown, 5 on screen
    ASSERT_EQ(Command(PLAY_CMD_JUMP, 2), MSG_JUMP_STORED);
    display_.Give(1);
    const std::vector<Shown> shown = display_.WaitForShown(29);
    ASSERT_EQ(shown.size(), 29u);
    EXPECT_TRUE(shown[24].interrupted);
    EXPECT_TRUE(shown[26].interrupted);
    EXPECT_EQ(GopsOf(shown, 24), (std::vector<int>{24, 4, 5, 25, 26}));
}

// A seek after a jump goes where it is sent, the jump done before it.
TEST_F(PlaybackTest, ASeekAfterAJumpShowsTheGopSoughtTo) {
    WritePair(40);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // GOP 0 on screen, the queue full
    ASSERT_EQ(Command(PLAY_CMD_JUMP, 2), MSG_JUMP_STORED);
    ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, int64_t(OffsetOfGop(10))), MSG_SEEK_DONE);
    display_.Give(3);  // GOPs 10, 11 and 12 go, 13 is held
    std::vector<Shown> shown = display_.WaitForShown(5);
    ASSERT_GE(shown.size(), 5u);
    // GOP 20 may have come between the two commands, ended by the seek.
    const size_t first = shown[1].gop == 20 ? 2 : 1;
    shown = display_.WaitForShown(first + 4);
    EXPECT_EQ(GopsOf(shown, first), (std::vector<int>{10, 11, 12, 13}));
}

// A pause and a resume before the playback thread has seen the pause leave
// no step behind: after the next pause nothing is shown until a step is
// asked for.
TEST_F(PlaybackTest, AQuickPauseAndResumeLeavesNoStepForTheNextPause) {
    WritePair(6);
    Open();
    auto playback = std::make_shared<std::atomic<HANDLE>>(nullptr);
    HoldNextThreadStarters(
        1, [playback](HANDLE started) { *playback = started; }, 1);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    HoldNextThreadStarters(0, nullptr);
    ASSERT_NE(playback->load(), nullptr);
    display_.WaitForShown(1);  // GOP 0 on screen while the commands come
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    display_.Give(1);
    // Paused: the playback thread waits for a step.
    ASSERT_TRUE(WaitFor([&] { return IsThreadBlocked(playback->load()); }));
    EXPECT_EQ(display_.ShownSoFar().size(), 1u) << "a step was shown unasked";
    ASSERT_EQ(Command(PLAY_CMD_STEP_FORWARD), MSG_STEP_FORWARD_DONE);
    const std::vector<Shown> shown = display_.WaitForShown(2);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.back().state, STATUS_PAUSED);
    EXPECT_EQ(shown.back().stepIndex, 0);
}

// Release without a stop forgets the picture sizes seen: after a new Init a
// recording of another size plays at once, without the rebuild of the
// decoders that a size change within a playback needs (its waits would never
// end on the clock, which stands still while the GOPs come).
using PlaybackOnStillClockTest = FakeClockPlayerTest;

TEST_F(PlaybackOnStillClockTest, ARecordingOfAnotherSizeAfterReleaseAndInitPlaysAtOnce) {
    WritePair(3);
    Open();
    ASSERT_EQ(CommandOnMovingClock(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);
    {
        ClockTicker ticker(*clock_);
        display_.Give(1000);
        // A loaded machine may keep a thread past Release's bound: Release
        // then answers false, and a later one finds it ended.
        ASSERT_TRUE(WaitFor([&] { return player_.Release(); }));
    }
    ASSERT_TRUE(InitPlayer());
    ASSERT_EQ(player_.Source().TellType(), OPENED_NONE);  // the release closed the source
    WritePair(3, {.resolutionCode = 2});
    Open();
    const size_t before = display_.ShownSoFar().size();
    ASSERT_EQ(CommandOnMovingClock(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_GE(display_.WaitForShown(before + 2).size(), before + 2);
}

}  // namespace
