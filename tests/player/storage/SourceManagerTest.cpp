#include <vector>

#include "player/source/AudioFormat.h"
#include "tests/player/storage/StorageFixture.h"

namespace {

using SourceManagerTest = StorageFixture;

TEST_F(SourceManagerTest, OpensAFilePairAndForwardsItsReads) {
    const auto placements = WritePair(3);
    OpenPair();
    EXPECT_EQ(manager_.TellType(), OPENED_FILE_PAIR);
    EXPECT_EQ(manager_.TellScreenNum(), 4);
    EXPECT_EQ(manager_.TellGopVersion(), 4);
    EXPECT_EQ(manager_.TellTotalLen(), placements.back().offset);
    EXPECT_EQ(manager_.TellBegTime(), kFirstTime);
    std::vector<uint8_t> buffer(kGopBufferSize);
    int length = kGopBufferSize;
    ASSERT_EQ(manager_.ReadGop(buffer.data(), &length), GopReadResult::Read);
    EXPECT_EQ(buffer[40], 0);  // GOP 0's frame bytes
    EXPECT_EQ(manager_.Tellp(), placements[1].offset);
    length = kGopBufferSize;
    ASSERT_EQ(manager_.SkipGop(1, buffer.data(), &length), GopReadResult::Read);
    EXPECT_EQ(buffer[40], 2);
    InxHd header{};
    EXPECT_TRUE(manager_.ReadTimeInxHd(&header));
    EXPECT_EQ(header.last, 4u);
    EXPECT_FALSE(manager_.ReadEvtInxHd(&header));  // a pair has no event index
    QuickInxHd quick{};
    EXPECT_FALSE(manager_.ReadQuickInxHd(&quick));
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
}

TEST_F(SourceManagerTest, OpenWhileAPairIsOpenLeavesItUntouched) {
    WritePair(3);
    OpenPair();
    std::vector<uint8_t> buffer(kGopBufferSize);
    int length = kGopBufferSize;
    manager_.ReadGop(buffer.data(), &length);
    const uint64_t position = manager_.Tellp();
    EXPECT_EQ(manager_.Open(OPENED_FILE_PAIR, Dvr().c_str(), Inx().c_str()), -1);
    EXPECT_EQ(manager_.Open(OPENED_DISK, "", ""), -1);
    EXPECT_EQ(manager_.Tellp(), position);
    EXPECT_EQ(manager_.TellType(), OPENED_FILE_PAIR);
}

TEST_F(SourceManagerTest, APairThatDoesNotOpenLeavesNothingOpen) {
    EXPECT_EQ(manager_.Open(OPENED_FILE_PAIR, Dvr().c_str(), Inx().c_str()), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    EXPECT_EQ(manager_.Open(OPENED_NETWORK, "", ""), -1);
    EXPECT_EQ(manager_.Open(6, "", ""), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
}

// What every forwarded operation answers with no reader.
TEST_F(SourceManagerTest, WithNothingOpenEveryOperationRefuses) {
    std::vector<uint8_t> buffer(kGopBufferSize);
    int length = kGopBufferSize;
    EXPECT_EQ(manager_.ReadGop(buffer.data(), &length), GopReadResult::Failed);
    EXPECT_EQ(manager_.ReadGopBack(buffer.data(), &length), GopReadResult::Failed);
    EXPECT_EQ(manager_.SkipGop(1, buffer.data(), &length), GopReadResult::Failed);
    EXPECT_EQ(manager_.SkipGopBack(1, buffer.data(), &length), GopReadResult::Failed);
    EXPECT_EQ(manager_.TellScreenNum(), -1);
    EXPECT_EQ(manager_.TellGopVersion(), -1);
    char carId[16];
    EXPECT_EQ(manager_.TellCarId(carId), -1);
    EXPECT_EQ(manager_.TellTotalLen(), ~uint64_t(0));
    EXPECT_EQ(manager_.Tellp(), ~uint64_t(0));
    EXPECT_EQ(manager_.TellBegTime(), ~uint32_t(0));
    EXPECT_EQ(manager_.TellEndTime(), ~uint32_t(0));
    InxHd header{};
    InxUnit unit{};
    EXPECT_FALSE(manager_.ReadTimeInxHd(&header));
    EXPECT_FALSE(manager_.ReadTimeInxUnit(1, &unit));
    EXPECT_EQ(manager_.Seek(0), -1);
    EXPECT_EQ(manager_.Close(), -1);
    EXPECT_EQ(errors_.TakeCodes(),
              (std::vector<int>{ERR_SOURCE_SEEK_NO_SOURCE, ERR_CLOSE_NO_SOURCE}));
}

TEST_F(SourceManagerTest, TheAudioFormatSurvivesAPairWithoutAProbedGop) {
    WritePair(2, 2);  // 16000 Hz, 16 bits
    OpenPair();
    ASSERT_EQ(manager_.Close(), 0);
    {
        auto writer = recgen::PairWriter::Create(Dvr(), Inx());
        recgen::GopBuilder builder({.version = 4, .time = kFirstTime});
        recgen::GopFrame frame;
        frame.data.assign(600, 1);
        builder.AddFrame(std::move(frame));
        std::vector<uint8_t> gop = builder.Build();
        ASSERT_TRUE(writer->AddGop(gop, {.badMagic = true}));
        ASSERT_TRUE(writer->Finish());
    }
    SetAudioFormat(16000, 16);
    OpenPair();
    EXPECT_EQ(manager_.TellScreenNum(), -1);
    int rate = 0, bits = 0;
    GetAudioFormat(&rate, &bits);
    EXPECT_EQ(rate, 16000);
    EXPECT_EQ(bits, 16);
}

// The lock is recursive: an error report raised inside it may reach a
// callback that calls the manager again on the same thread.
CSourceManager* g_reentered = nullptr;
int g_typeSeenInCallback = -2;

void ReenteringSink(int, DWORD, int) {
    InxHd header{};
    g_reentered->ReadTimeInxHd(&header);
    g_typeSeenInCallback = g_reentered->TellScreenNum();
}

TEST_F(SourceManagerTest, AnErrorCallbackMayCallBackIntoTheManager) {
    WritePair(2);
    OpenPair();
    g_reentered = &manager_;
    SetErrorSink(&ReenteringSink);
    EXPECT_EQ(manager_.Seek(manager_.TellTotalLen() + 512), -1);  // reported inside the lock
    SetErrorSink(nullptr);
    EXPECT_EQ(g_typeSeenInCallback, 4);
}

}  // namespace
