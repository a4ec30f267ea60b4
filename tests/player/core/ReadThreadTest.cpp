#include <vector>

#include "platform/base/Thread.h"
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
    ASSERT_TRUE(WaitForMessage(MSG_READ_ERROR, 10000, 1));
    // Asleep: the command thread in its 500 ms, the end-of-playback thread,
    // and the read thread in its back-off.
    ASSERT_TRUE(clock_->WaitForSleepers(3));
    clock_->Advance(99);
    ASSERT_TRUE(clock_->WaitForSleepers(3));
    EXPECT_EQ(CountOf(MSG_READ_ERROR), 1);
    clock_->Advance(1);
    EXPECT_TRUE(WaitForMessage(MSG_READ_ERROR, 10000, 2));
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

}  // namespace
