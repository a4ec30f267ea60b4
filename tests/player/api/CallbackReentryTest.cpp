// A host may call the exports from inside the library's callbacks: no lock of
// the library is held while one runs, so each such call completes.
#include <atomic>
#include <string>
#include <vector>

#include "tests/player/api/ApiFixture.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

namespace {

constexpr uint32_t kFirstTime = 2000;
constexpr uint64_t kPastLastSector = 100;

class CallbackReentryTest : public ApiFixture {
protected:
    // Six small GOPs; the index gives a data length past the last whole
    // sector, so that a seek into that part fails in the reader.
    void WriteAndOpen() {
        const std::string base = dir_.File("reentry");
        auto writer = recgen::PairWriter::Create(base + ".dvr", base + ".inx");
        ASSERT_NE(writer, nullptr);
        for (uint32_t i = 0; i < 6; ++i) {
            recgen::GopBuilder builder({.time = kFirstTime + i});
            builder.AddFrame({.data = std::vector<uint8_t>(64, uint8_t(i))});
            ASSERT_TRUE(writer->AddGop(builder.Build()));
        }
        failingPosition_ = int64_t(writer->DataLength() + kPastLastSector) - 1;
        ASSERT_TRUE(writer->Finish({.indexedLength = writer->DataLength() + kPastLastSector}));
        ASSERT_TRUE(OpenPair(base));
    }

    // The error callback closes the source through zOpenEx at the first
    // report of `code`.
    void CloseOnError(int code) {
        OnErrorCall([this, code](int reported) {
            if (reported == code && !closed_.exchange(true))
                t_->zOpenEx(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        });
    }

    int64_t failingPosition_ = 0;
    std::atomic<bool> closed_{false};
};

// Errors raised by a command handler (the handler lock held) and by the
// reader inside a seek (the read gate and the source manager's lock held as
// well): the command's result still comes, after the source was closed.
struct ErrorCase {
    const char* name;
    bool play;  // playing before the command
    int cmd;
    int error;  // the report the callback closes on
    int result;
};

std::string NameOf(const testing::TestParamInfo<ErrorCase>& test) {
    return test.param.name;
}

class CloseFromErrorTest : public CallbackReentryTest,
                           public testing::WithParamInterface<ErrorCase> {};

TEST_P(CloseFromErrorTest, ZOpenExFromTheErrorCallbackCompletes) {
    const ErrorCase& c = GetParam();
    WriteAndOpen();
    if (c.play) {
        ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    }
    CloseOnError(c.error);
    const int64_t position = c.cmd == PLAY_CMD_SEEK ? failingPosition_ : 0;
    EXPECT_EQ(Command(c.cmd, 0, position), c.result) << "the command never answered";
    EXPECT_TRUE(closed_);
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_NONE);
    EXPECT_EQ(t_->zTellStatusType(), STATUS_IDLE);
}

INSTANTIATE_TEST_SUITE_P(Errors, CloseFromErrorTest,
                         testing::Values(ErrorCase{"PauseWhileIdle", false, PLAY_CMD_PAUSE,
                                                   ERR_PAUSE_NOT_PLAYING, MSG_PAUSE_REFUSED},
                                         ErrorCase{"FailedSeekWhilePlaying", true, PLAY_CMD_SEEK,
                                                   ERR_FILE_SEEK_OUT_OF_RANGE, MSG_SEEK_FAILED},
                                         ErrorCase{"FailedSeekFromIdle", false, PLAY_CMD_SEEK,
                                                   ERR_SEEK_FAILED_NOT_PLAYING, MSG_SEEK_FAILED}),
                         NameOf);

TEST_F(CallbackReentryTest, QueriesFromTheDataCallbackAnswer) {
    WriteAndOpen();
    const int channels = t_->zTellScreenNum();
    std::atomic<int> answered{0};
    OnDataCall([&] {
        InxHd header{};
        const bool answers = t_->zTellStatusType() == STATUS_PLAYING && t_->zTellp() > 0 &&
                             t_->zTellTimeInxHd(&header) && header.magic == kInxMagic &&
                             t_->zTellScreenNum() == channels;
        if (answers)
            ++answered;
    });
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    EXPECT_EQ(Data().size(), 6u);
    EXPECT_EQ(answered, 6);
}

}  // namespace
