#include <sys/stat.h>

#include "tests/player/source/PairFixture.h"

namespace {

using SeekTest = PairFixture;

TEST_F(SeekTest, PositionsRoundUpToTheNextSector) {
    WritePair(4, {.gopLength = 1000});  // GOPs every 1024 bytes
    OpenPair();
    ASSERT_EQ(reader_.Seek(1000), 0);
    EXPECT_EQ(reader_.Tellp(), 1024u);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    ASSERT_EQ(reader_.Seek(1025), 0);  // inside GOP 1: its other sectors are no GOP
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    ASSERT_EQ(reader_.Seek(0), 0);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 0);
    EXPECT_TRUE(errors_.Take().empty());
}

TEST_F(SeekTest, TheDataLengthIsAValidTarget) {
    WritePair(2);
    OpenPair();
    while (Read() == GopReadResult::Read) {
    }
    ASSERT_EQ(reader_.Seek(reader_.TellTotalLen()), 0);  // clears the end of the stream too
    EXPECT_EQ(reader_.Tellp(), 4096u);
    EXPECT_EQ(Read(), GopReadResult::End);
    ASSERT_EQ(reader_.Seek(2048), 0);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    EXPECT_TRUE(errors_.Take().empty());
}

TEST_F(SeekTest, OutsideTheDataIsRefusedWith40051) {
    WritePair(2);
    OpenPair();
    ASSERT_EQ(Read(), GopReadResult::Read);
    for (uint64_t p : {uint64_t(4097), uint64_t(1) << 40, ~uint64_t(0), ~uint64_t(0) - 100}) {
        EXPECT_EQ(reader_.Seek(p), -1) << p;
        EXPECT_EQ(errors_.Take(), (std::vector<ReportedError>{{40051, 0, 0}})) << p;
        EXPECT_EQ(reader_.Tellp(), 2048u);  // unchanged
    }
}

TEST_F(SeekTest, SeekWhileClosedIsRefusedWith40050) {
    EXPECT_EQ(reader_.Seek(0), -1);
    EXPECT_EQ(errors_.Take(), (std::vector<ReportedError>{{40050, 0, 0}}));
}

TEST_F(SeekTest, APositionTheStreamCannotReachIsRefusedWith40052) {
    // The index claims a data length beyond what a file offset can hold.
    constexpr uint64_t kUnreachable = uint64_t(1) << 63;
    auto writer = Writer();
    AddGops(*writer, 0, 2);
    writer->AddGap(kUnreachable);
    ASSERT_TRUE(writer->Finish({.cutBytes = kUnreachable}));
    OpenPair();
    ASSERT_EQ(reader_.TellTotalLen(), kUnreachable + 4096);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(reader_.Seek(kUnreachable), -1);
    EXPECT_EQ(errors_.Take(), (std::vector<ReportedError>{{40052, 0, 0}}));
    EXPECT_EQ(reader_.Tellp(), 2048u);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    // The file ends long before the data: no GOP lies past its end.
    EXPECT_EQ(Read(), GopReadResult::End);
    EXPECT_EQ(Read(), GopReadResult::End);
}

TEST_F(SeekTest, FilesAboveFourGiBAreReadAndSoughtThere) {
    constexpr uint64_t kHole = (uint64_t(5) << 30) + 4096;  // past 4 GiB and 2^32 sectors' worth
    auto writer = Writer();
    AddGops(*writer, 0, 2, {.gopLength = 3000});
    writer->AddGap(kHole);
    AddGops(*writer, 2, 3, {.gopLength = 3000});
    ASSERT_TRUE(writer->Finish());
    const uint64_t farGop = 2 * 3072 + kHole;
    struct stat st {};
    ASSERT_EQ(stat(Dvr().c_str(), &st), 0);
    EXPECT_LT(uint64_t(st.st_blocks) * 512, uint64_t(1) << 20);  // really sparse

    OpenPair();
    EXPECT_EQ(reader_.TellTotalLen(), farGop + 3 * 3072);
    ASSERT_EQ(reader_.Seek(farGop), 0);
    EXPECT_EQ(reader_.Tellp(), farGop);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    ASSERT_EQ(Read(), GopReadResult::Read);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 4);
    EXPECT_EQ(reader_.Tellp(), farGop + 3 * 3072);
    EXPECT_EQ(Read(), GopReadResult::End);
    for (int expected : {4, 3, 2}) {  // from the end: the last GOP first
        ASSERT_EQ(Back(), GopReadResult::Read);
        EXPECT_EQ(Number(), expected);
        EXPECT_EQ(reader_.Tellp(), farGop + uint64_t(expected - 2) * 3072);
    }
    ASSERT_EQ(reader_.Seek(farGop + 1), 0);  // rounding above 4 GiB
    EXPECT_EQ(reader_.Tellp(), farGop + 512);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 3);

    InxUnit unit{};
    ASSERT_TRUE(reader_.ReadTimeInxUnit(3, &unit));
    EXPECT_EQ(unit.offset, farGop);
    EXPECT_TRUE(errors_.Take().empty());
}

TEST_F(SeekTest, IndexRecordsAreReadByNumber) {
    WritePair(3);
    OpenPair();
    InxHd header{};
    ASSERT_TRUE(reader_.ReadTimeInxHd(&header));
    EXPECT_EQ(header.magic, kInxMagic);
    EXPECT_EQ(header.first, 1u);
    EXPECT_EQ(header.last, 4u);
    EXPECT_EQ(header.wrapped, 0u);
    InxUnit unit{};
    ASSERT_TRUE(reader_.ReadTimeInxUnit(2, &unit));
    EXPECT_EQ(unit.time, kFirstTime + 1);
    EXPECT_EQ(unit.event, 0u);
    EXPECT_EQ(unit.offset, 2048u);
    ASSERT_TRUE(reader_.ReadTimeInxUnit(4, &unit));  // the end mark
    EXPECT_EQ(unit.offset, reader_.TellTotalLen());
    EXPECT_FALSE(reader_.ReadTimeInxUnit(5, &unit));  // past the file
    EXPECT_FALSE(reader_.ReadTimeInxUnit(0, &unit));
    EXPECT_FALSE(reader_.ReadTimeInxUnit(-1, &unit));
    EXPECT_FALSE(reader_.ReadTimeInxUnit(2, nullptr));
    ASSERT_EQ(reader_.Close(), 0);
    EXPECT_FALSE(reader_.ReadTimeInxHd(&header));
    EXPECT_FALSE(reader_.ReadTimeInxUnit(1, &unit));
}

}  // namespace
