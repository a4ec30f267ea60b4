#include <vector>

#include "format/gop/GopParser.h"
#include "tests/player/core/CoreFixture.h"

namespace {

struct Row {
    int cmd;
    intptr_t a;
    int64_t position;
    int result;
    std::vector<int> errors;
};

class CommandTest : public CoreFixture {
protected:
    // Sends each row's command and checks its result and errors.
    void ExpectRows(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE("command " + std::to_string(row.cmd) + " a " + std::to_string(row.a));
            EXPECT_EQ(Command(row.cmd, row.a, row.position), row.result);
            EXPECT_EQ(Errors(), row.errors);
        }
    }
};

TEST_F(CommandTest, WithNoSourceEveryCommandIsRefusedWithItsCodes) {
    ExpectRows({
        {PLAY_CMD_CLOSE, 0, 0, MSG_CLOSE_REFUSED, {}},
        {PLAY_CMD_PLAY, 0, 0, MSG_PLAY_FAILED, {}},
        {PLAY_CMD_PAUSE, 0, 0, MSG_PAUSE_REFUSED, {ERR_PAUSE_NOT_PLAYING}},
        {PLAY_CMD_STEP_FORWARD, 0, 0, MSG_STEP_FORWARD_REFUSED, {}},
        {PLAY_CMD_STEP_BACKWARD, 0, 0, MSG_STEP_BACKWARD_REFUSED, {}},
        {PLAY_CMD_FAST_FORWARD, 0, 0, MSG_FAST_FORWARD_REFUSED, {ERR_FAST_FORWARD_SPEED}},
        {PLAY_CMD_FAST_FORWARD, 1, 0, MSG_FAST_FORWARD_REFUSED, {ERR_FAST_FORWARD_STATE}},
        {PLAY_CMD_FAST_BACKWARD, 8, 0, MSG_FAST_BACKWARD_REFUSED, {ERR_FAST_BACKWARD_SPEED}},
        {PLAY_CMD_FAST_BACKWARD, 7, 0, MSG_FAST_BACKWARD_REFUSED, {ERR_FAST_BACKWARD_STATE}},
        {PLAY_CMD_SEEK, 0, 0, MSG_SEEK_FAILED, {ERR_SEEK_NO_DATA}},
        {PLAY_CMD_STOP, 0, 0, MSG_STOP_REFUSED, {}},
        {PLAY_CMD_CAPTURE, 0, 0, MSG_CAPTURE_FAILED, {ERR_CAPTURE_NO_SOURCE}},
        {PLAY_CMD_JUMP, 1, 0, MSG_JUMP_STORED, {}},
    });
    EXPECT_EQ(player_.TellStatusType(), STATUS_IDLE);
}

TEST_F(CommandTest, TheStateMachineThroughAPlayback) {
    WritePair(6);
    Open();
    display_.Give(1000);
    const int64_t length = int64_t(dataLength_);
    ExpectRows({
        {PLAY_CMD_SEEK, 0, length, MSG_SEEK_FAILED, {ERR_SEEK_OUT_OF_RANGE}},
        {PLAY_CMD_SEEK, 0, -1, MSG_SEEK_FAILED, {ERR_SEEK_OUT_OF_RANGE}},
        {PLAY_CMD_PLAY, 0, 0, MSG_PLAY_DONE, {}},
        {PLAY_CMD_CLOSE, 0, 0, MSG_CLOSE_REFUSED, {}},
        {PLAY_CMD_STEP_FORWARD, 0, 0, MSG_STEP_FORWARD_REFUSED, {}},
        {PLAY_CMD_PAUSE, 0, 0, MSG_PAUSE_DONE, {}},
        {PLAY_CMD_PAUSE, 0, 0, MSG_PAUSE_REFUSED, {ERR_PAUSE_NOT_PLAYING}},
        {PLAY_CMD_FAST_FORWARD, 2, 0, MSG_FAST_FORWARD_REFUSED, {ERR_FAST_FORWARD_STATE}},
        {PLAY_CMD_CLOSE, 0, 0, MSG_CLOSE_REFUSED, {}},
        {PLAY_CMD_STEP_FORWARD, 0, 0, MSG_STEP_FORWARD_DONE, {}},
        {PLAY_CMD_PLAY, 0, 0, MSG_PLAY_DONE, {}},
        {PLAY_CMD_FAST_FORWARD, 3, 0, MSG_FAST_FORWARD_DONE, {}},
        {PLAY_CMD_FAST_BACKWARD, 2, 0, MSG_FAST_BACKWARD_DONE, {}},
        {PLAY_CMD_SEEK, 0, length - 1, MSG_SEEK_DONE, {}},
        {PLAY_CMD_STOP, 0, 0, MSG_STOP_DONE, {}},
        {PLAY_CMD_STOP, 0, 0, MSG_STOP_REFUSED, {}},
        {PLAY_CMD_CAPTURE, 0, 0, MSG_CAPTURE_FAILED, {}},
        {PLAY_CMD_CLOSE, 0, 0, MSG_CLOSE_DONE, {}},
        {PLAY_CMD_CLOSE, 0, 0, MSG_CLOSE_REFUSED, {}},
    });
    EXPECT_EQ(player_.TellStatusType(), STATUS_IDLE);
}

TEST_F(CommandTest, StatesFollowTheCommands) {
    WritePair(6);
    Open();
    display_.Give(1000);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_EQ(player_.TellStatusType(), STATUS_PLAYING);
    ASSERT_EQ(Command(PLAY_CMD_FAST_BACKWARD, 3), MSG_FAST_BACKWARD_DONE);
    EXPECT_EQ(player_.TellStatusType(), STATUS_FAST_BACKWARD);
    ASSERT_EQ(Command(PLAY_CMD_FAST_FORWARD, 1), MSG_FAST_FORWARD_DONE);
    EXPECT_EQ(player_.TellStatusType(), STATUS_FAST_FORWARD);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_EQ(player_.TellStatusType(), STATUS_PLAYING);
    ASSERT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    EXPECT_EQ(player_.TellStatusType(), STATUS_PAUSED);
    ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);  // wakes the paused playback
    EXPECT_EQ(player_.TellStatusType(), STATUS_STOPPED);
    EXPECT_EQ(player_.Source().Tellp(), 0u);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);  // from stopped
    ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    ASSERT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    EXPECT_EQ(player_.TellStatusType(), STATUS_IDLE);
}

TEST_F(CommandTest, CommandTenReportsNothingAndAnUnknownCodeRepeatsTheLastResult) {
    player_.PlayMSG(99, 0, 0, 0, nullptr);  // before any result: nothing to repeat
    ASSERT_EQ(Command(PLAY_CMD_JUMP, 2), MSG_JUMP_STORED);
    player_.PlayMSG(PLAY_CMD_NONE, 0, 0, 0, nullptr);
    ASSERT_EQ(Command(99), MSG_JUMP_STORED);
    ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_REFUSED);
    EXPECT_EQ(Messages(), (std::vector<int>{MSG_JUMP_STORED, MSG_JUMP_STORED, MSG_STOP_REFUSED}));
}

// zDisplayOsd reaches the display, zSetAudioType the track the parser takes,
// and opening a source tells the display the division mode it lays out in.
TEST_F(CommandTest, SettingsReachTheDisplayAndTheParser) {
    for (const bool on : {true, false}) {
        EXPECT_TRUE(player_.DisplayOsd(on));
        EXPECT_EQ(display_.osd, on);
    }
    for (const int track : {1, 0}) {
        EXPECT_TRUE(player_.SetAudioType(track));
        EXPECT_EQ(g_nAudioType, track);
    }
    WritePair(2);
    Open();
    EXPECT_EQ(display_.shownMode, DIV_GROUP_1);  // 4 channels
}

TEST_F(CommandTest, ADisplayThatCannotBePreparedFailsPlayAndKeepsThePlayer) {
    WritePair(3);
    Open();
    display_.initSucceeds = false;
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_FAILED);
    EXPECT_EQ(player_.TellStatusType(), STATUS_IDLE);
    display_.initSucceeds = true;
    display_.Give(1000);
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);  // still answered
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

TEST_F(CommandTest, ReleaseStopsARunningPlaybackWithinItsBound) {
    WritePair(6);
    Open();
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // the playback thread is held in the display
    // Release interrupts the GOP shown, so the held GOP ends, and waits for
    // every thread: none is left, and nothing shows another GOP.
    EXPECT_TRUE(player_.Release());
    ExpectNoThreadLeft();
    EXPECT_EQ(display_.Showing(), 0);
    EXPECT_EQ(display_.ShownSoFar().size(), 1u);
    EXPECT_EQ(player_.TellStatusType(), STATUS_STOPPED);
    EXPECT_EQ(Messages().back(), MSG_PLAY_DONE);
}

// A GOP that does not stop when told holds the playback thread past
// Release's bound: Release gives up within it, says so and frees nothing;
// once the GOP ends, the next Release ends every thread.
TEST_F(CommandTest, ReleaseGivesUpOnAGopThatWillNotStopWithinItsBound) {
    WritePair(6);
    Open();
    display_.honoursInterruption = false;
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);
    EXPECT_FALSE(player_.Release());
    EXPECT_EQ(display_.Showing(), 1);
    EXPECT_EQ(player_.TellStatusType(), STATUS_STOPPED);
    display_.Give(1);
    EXPECT_TRUE(player_.Release());
    ExpectNoThreadLeft();
    EXPECT_EQ(display_.Showing(), 0);
    EXPECT_EQ(Messages().back(), MSG_PLAY_DONE);
}

// With no command thread to run it, a command is not taken.
TEST_F(CommandTest, ACommandAfterReleaseIsNotTaken) {
    ASSERT_TRUE(player_.Release());
    EXPECT_FALSE(player_.PlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr));
    ASSERT_TRUE(InitPlayer());
    EXPECT_TRUE(player_.PlayMSG(PLAY_CMD_STOP, 0, 0, 0, nullptr));
    EXPECT_EQ(NextResult(), MSG_STOP_REFUSED);
}

}  // namespace
