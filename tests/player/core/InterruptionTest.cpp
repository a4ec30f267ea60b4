// Commands that move playback on (a new position, a new speed or direction,
// a stop) end the GOP being shown at once: the display is told, and the
// playback thread takes the next GOP without waiting out the old one's time,
// on a clock that does not move. A pause lets the GOP on screen finish, and
// ordinary playback interrupts nothing.
#include <vector>

#include "tests/player/core/CoreFixture.h"

namespace {

class InterruptionTest : public FakeClockPlayerTest {
protected:
    // Plays until GOP `held` is on screen, held.
    void PlayUntilHeld(int gops, int held = 0) {
        WritePair(gops);
        Open();
        // Play waits 500 ms on the clock before it starts the playback thread.
        ASSERT_EQ(CommandOnMovingClock(PLAY_CMD_PLAY), MSG_PLAY_DONE);
        display_.Give(held);
        ASSERT_EQ(display_.WaitForShown(size_t(held) + 1).size(), size_t(held) + 1);
        heldAt_ = clock_->NowMs();
    }

    // What the GOP shown after the one on screen is expected to be.
    struct Next {
        int gop;  // -1: any
        int speed = 1;
        bool forward = true;
        int stepIndex = -1;
    };

    // Waits until `count` GOPs were shown: the one before the last ended by
    // its interruption or by its credit as `interrupted` says, and the last
    // is `next`, held on screen.
    void ExpectNextShown(size_t count, bool interrupted, const Next& next) {
        const std::vector<Shown> shown = display_.WaitForShown(count);
        ASSERT_EQ(shown.size(), count);
        EXPECT_EQ(shown[count - 2].interrupted, interrupted);
        const Shown& last = shown[count - 1];
        if (next.gop >= 0) {
            EXPECT_EQ(last.gop, next.gop);
        }
        EXPECT_EQ(last.speed, next.speed);
        EXPECT_EQ(last.forward, next.forward);
        EXPECT_EQ(last.stepIndex, next.stepIndex);
        EXPECT_FALSE(last.interrupted);
    }

    uint64_t heldAt_ = 0;
};

// What a command sent while GOP 2 is held at speed 1 shows next.
struct MoveCase {
    const char* name;
    int cmd;
    intptr_t a;
    int toGop;  // sought, -1 for none
    int result;
    int nextGop;  // -1: any
    int nextSpeed;
    bool nextForward;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

class MovingOnTest : public InterruptionTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(MovingOnTest, EndsTheGopShownAndShowsTheNextAtOnce) {
    const MoveCase& c = GetParam();
    PlayUntilHeld(8, 2);
    const int64_t position = c.toGop >= 0 ? int64_t(OffsetOfGop(c.toGop)) : 0;
    ASSERT_EQ(Command(c.cmd, c.a, position), c.result);
    ExpectNextShown(4, true, {c.nextGop, c.nextSpeed, c.nextForward});
    EXPECT_EQ(clock_->NowMs(), heldAt_);  // nothing waited on the clock
}

// Fast forward goes on with the GOP read next; fast backward turns at the GOP
// on screen, so the one before it comes next.
INSTANTIATE_TEST_SUITE_P(Commands, MovingOnTest,
                         testing::Values(MoveCase{"Seek", PLAY_CMD_SEEK, 0, 5, MSG_SEEK_DONE, 5, 1,
                                                  true},
                                         MoveCase{"FastForward", PLAY_CMD_FAST_FORWARD, 1, -1,
                                                  MSG_FAST_FORWARD_DONE, 3, 2, true},
                                         MoveCase{"FastBackward", PLAY_CMD_FAST_BACKWARD, 1, -1,
                                                  MSG_FAST_BACKWARD_DONE, 1, 2, false}),
                         [](const testing::TestParamInfo<MoveCase>& p) { return p.param.name; });

TEST_F(InterruptionTest, PlayFromFastForwardEndsTheFastGop) {
    PlayUntilHeld(8);
    ASSERT_EQ(Command(PLAY_CMD_FAST_FORWARD, 1), MSG_FAST_FORWARD_DONE);
    ASSERT_GE(display_.WaitForShown(2).size(), 2u);  // GOP 1 held at speed 2
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ExpectNextShown(3, true, {.gop = 2});
    EXPECT_EQ(clock_->NowMs(), heldAt_);
}

// Stop no longer waits for the GOP in flight; only the read thread's own
// end wait needs the clock.
TEST_F(InterruptionTest, StopEndsTheGopShown) {
    PlayUntilHeld(8);
    ASSERT_EQ(CommandOnMovingClock(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_TRUE(display_.ShownSoFar()[0].interrupted);
}

// Release no longer gives up on a playback thread held by its GOP: the GOP
// stops and the thread ends.
TEST_F(InterruptionTest, ReleaseEndsTheGopShown) {
    PlayUntilHeld(8);
    {
        ClockTicker ticker(*clock_);
        EXPECT_TRUE(player_.Release());
    }
    EXPECT_EQ(display_.Showing(), 0);
    EXPECT_TRUE(display_.ShownSoFar()[0].interrupted);
}

TEST_F(InterruptionTest, APauseLetsTheGopShownFinish) {
    PlayUntilHeld(8);
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    EXPECT_EQ(display_.Showing(), 1);
    display_.Give(1);
    ASSERT_EQ(Command(PLAY_CMD_STEP_FORWARD), MSG_STEP_FORWARD_DONE);
    ExpectNextShown(2, false, {.gop = 1, .stepIndex = 0});
}

}  // namespace
