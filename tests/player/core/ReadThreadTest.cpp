#include <vector>

#include "platform/base/Thread.h"
#include "tests/player/ProcessThreads.h"
#include "tests/player/core/CoreFixture.h"

namespace {

TEST_F(FakeClockPlayerTest, AReadErrorIsRetriedAfterABackOffOf100Ms) {
    {
        auto writer = recgen::PairWriter::Create(Dvr(), Inx());
        for (int i = 0; i < 4; ++i) {
            recgen::GopBuilder builder({.time = kFirstTime + uint32_t(i)});
            builder.AddFrame({.data = std::vector<uint8_t>(100, 1)});
            // Larger than the read buffer: each read of one fails.
            ASSERT_TRUE(writer->AddGop(builder.Build(), {.growTo = 12582912 + 512}));
        }
        ASSERT_TRUE(writer->Finish());
    }
    Open();
    // The read thread starts before play waits 500 ms for the playback thread.
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    ASSERT_TRUE(WaitForMessage(MSG_READ_ERROR, kWaitBoundMs, 1));
    // Asleep: the command thread in its 500 ms, the end-of-playback thread,
    // and the read thread in its back-off.
    ASSERT_TRUE(clock_->WaitForSleepers(3));
    clock_->Advance(99);
    ASSERT_TRUE(clock_->WaitForSleepers(3));
    EXPECT_EQ(CountOf(MSG_READ_ERROR), 1);
    clock_->Advance(1);
    EXPECT_TRUE(WaitForMessage(MSG_READ_ERROR, kWaitBoundMs, 2));
}

// Play waits 500 ms before it starts the playback thread; a release in that
// wait ends the command thread first, so nothing is started after it and no
// thread of the player is left.
TEST_F(FakeClockPlayerTest, ReleaseDuringAPlayCommandLeavesNoThread) {
    WritePair(6);
    Open();
    // With the command and end-of-playback threads.
    const int initialised = SettledThreadsBesideRoutines(threadsBefore_);
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    // Asleep: the command thread in its 500 ms, the end-of-playback thread,
    // the read thread with the queue full.
    ASSERT_TRUE(clock_->WaitForSleepers(3));
    {
        ClockTicker ticker(*clock_);
        EXPECT_TRUE(player_.Release());
    }
    EXPECT_EQ(SettledProcessThreads(initialised - 2), initialised - 2);
}

TEST_F(CoreFixture, AReadThreadThatCannotStartFailsPlayWithTheSystemError) {
    WritePair(2);
    Open();
    FailNextThreadStarts(1);
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_FAILED);
    EXPECT_EQ(Errors(), std::vector<int>{ERR_READ_THREAD_NOT_STARTED});
    EXPECT_EQ(player_.TellStatusType(), STATUS_IDLE);
    display_.Give(100);
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
}

// The player with an audio device that fails to open: no device thread
// comes and goes while a test counts the threads.
class NoAudioDeviceTest : public CoreFixture {
protected:
    void SetUp() override {
        setenv("DVR_AUDIO", "fail", 1);
        CoreFixture::SetUp();
    }
    void TearDown() override {
        CoreFixture::TearDown();
        setenv("DVR_AUDIO", "null", 1);
    }
};

// A recording whose index gives a data length past the last whole sector:
// a seek into that last part of a sector fails in the reader.
class FailingSeekTest : public NoAudioDeviceTest {
protected:
    void SetUp() override {
        NoAudioDeviceTest::SetUp();
        WritePair(6, {.indexedPastEnd = kPastLastSector});
    }

    static constexpr uint64_t kPastLastSector = 100;
    int64_t FailingPosition() const { return int64_t(dataLength_ + kPastLastSector) - 1; }
    // The errors reported since the last call, but those of the audio device
    // that fails to open.
    std::vector<int> ErrorsButAudio() {
        std::vector<int> errors = Errors();
        std::erase(errors, int(ERR_AUDIO_OPEN_FAILED));
        return errors;
    }
};

TEST_F(FailingSeekTest, AFailedSeekFromPauseOrFastPlayLeavesOneReadThreadAtMost) {
    Open();
    display_.Give(1000);
    const int idle = SettledThreadsBesideRoutines(threadsBefore_);
    for (const int cmd : {PLAY_CMD_PAUSE, PLAY_CMD_FAST_FORWARD}) {
        SCOPED_TRACE("seek from command " + std::to_string(cmd));
        ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
        EXPECT_EQ(SettledProcessThreads(idle + 2), idle + 2);  // the read and the playback thread
        ASSERT_EQ(Command(cmd, 1), cmd == PLAY_CMD_PAUSE ? MSG_PAUSE_DONE : MSG_FAST_FORWARD_DONE);
        ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, FailingPosition()), MSG_SEEK_FAILED);
        EXPECT_EQ(ErrorsButAudio(),
                  (std::vector<int>{ERR_FILE_SEEK_OUT_OF_RANGE, ERR_SEEK_FAILED_NOT_PLAYING}));
        EXPECT_EQ(player_.TellStatusType(), STATUS_IDLE);
        EXPECT_EQ(SettledProcessThreads(idle), idle);  // nothing reads while idle
    }
    // Play from idle starts the one read thread again.
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_EQ(SettledProcessThreads(idle + 2), idle + 2);
    ASSERT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_EQ(SettledProcessThreads(idle), idle);
}

// A playback thread held in the display outlasts the release's wait; the
// read thread ends all the same.
TEST_F(NoAudioDeviceTest, ReleaseEndsTheReadThreadWhenThePlaybackThreadOutlastsItsWait) {
    WritePair(6);
    Open();
    // With the command and end-of-playback threads.
    const int initialised = SettledThreadsBesideRoutines(threadsBefore_);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    display_.WaitForShown(1);  // the playback thread is held in the display
    EXPECT_TRUE(player_.Release());
    // Left at most: the held playback thread.
    EXPECT_LE(SettledProcessThreads(initialised - 2), initialised - 1);
}

}  // namespace
