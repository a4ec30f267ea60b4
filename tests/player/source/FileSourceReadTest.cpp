#include <filesystem>

#include "tests/player/source/PairFixture.h"

namespace {

using ReadTest = PairFixture;

TEST_F(ReadTest, ForwardReadsReturnEachGopRoundedUpThenTheEnd) {
    auto writer = Writer();
    const uint32_t lengths[] = {1000, 2000, 512, 3000};
    for (uint32_t i = 0; i < 4; ++i)
        ASSERT_TRUE(writer->AddGop(MakeGop({.gopLength = lengths[i]}, kFirstTime + i)));
    ASSERT_TRUE(writer->Finish());
    OpenPair();
    const int rounded[] = {1024, 2048, 512, 3072};
    uint64_t at = 0;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(Read(), GopReadResult::Read) << i;
        EXPECT_EQ(Number(), i);
        EXPECT_EQ(length_, rounded[i]);
        at += uint64_t(rounded[i]);
        EXPECT_EQ(reader_.Tellp(), at);  // where the next GOP may begin
    }
    EXPECT_EQ(Read(), GopReadResult::End);
    EXPECT_EQ(Read(), GopReadResult::End);
    EXPECT_EQ(reader_.Tellp(), at);
}

TEST_F(ReadTest, FillerSectorsArePassedOver) {
    auto writer = Writer();
    writer->AddGap(1024);
    AddGops(*writer, 0, 1);
    writer->AddGap(1);  // one sector
    AddGops(*writer, 1, 1);
    ASSERT_TRUE(writer->Finish());
    OpenPair();
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 0);
    EXPECT_EQ(reader_.Tellp(), 1024u + 2048);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    EXPECT_EQ(reader_.Tellp(), 1024u + 2048 + 512 + 2048);
    EXPECT_EQ(Read(), GopReadResult::End);
}

TEST_F(ReadTest, SkipPassesGopsAndReadsTheNext) {
    WritePair(6);
    OpenPair();
    ASSERT_EQ(Skip(2), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    ASSERT_EQ(Skip(1), GopReadResult::Read);
    EXPECT_EQ(Number(), 4);
    EXPECT_EQ(Skip(1), GopReadResult::End);  // passes 5, then the data ends
    EXPECT_EQ(Skip(0), GopReadResult::NotOpen);
    EXPECT_EQ(Skip(-3), GopReadResult::NotOpen);
    EXPECT_EQ(SkipBack(0), GopReadResult::NotOpen);
}

TEST_F(ReadTest, BackwardReadsReturnTheGopJustReadThenEachOneBefore) {
    WritePair(4);
    OpenPair();
    EXPECT_EQ(Back(), GopReadResult::Start);
    EXPECT_EQ(reader_.Tellp(), 0u);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Read(), GopReadResult::Read);
    for (int expected : {2, 1, 0}) {
        ASSERT_EQ(Back(), GopReadResult::Read) << expected;
        EXPECT_EQ(Number(), expected);
        EXPECT_EQ(length_, 2048);
        EXPECT_EQ(reader_.Tellp(), uint64_t(expected) * 2048);  // at the GOP just read
    }
    EXPECT_EQ(Back(), GopReadResult::Start);
    ASSERT_EQ(Read(), GopReadResult::Read);  // forward again from the start
    EXPECT_EQ(Number(), 0);
}

// Back links are bytes below version 4 and sectors in version 4.
struct BackLinkCase {
    uint32_t version;
    uint32_t gopLength;
    int rounded;
};

class BackLinkTest : public PairFixture, public testing::WithParamInterface<BackLinkCase> {};

TEST_P(BackLinkTest, BackSkipsFollowTheLinks) {
    const BackLinkCase& c = GetParam();
    WritePair(8, {.version = c.version, .gopLength = c.gopLength});
    OpenPair();
    ASSERT_EQ(reader_.Seek(uint64_t(7) * uint64_t(c.rounded)), 0);  // GOP 7's start
    ASSERT_EQ(SkipBack(2), GopReadResult::Read);                    // passes 6 and 5
    EXPECT_EQ(Number(), 4);
    EXPECT_EQ(length_, c.rounded);
    EXPECT_EQ(reader_.Tellp(), uint64_t(4) * uint64_t(c.rounded));
    ASSERT_EQ(SkipBack(1), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    EXPECT_EQ(SkipBack(1), GopReadResult::Start);  // passes 0, then the data starts
    EXPECT_EQ(reader_.Tellp(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Versions, BackLinkTest,
                         testing::Values(BackLinkCase{3, 20000, 20480},
                                         BackLinkCase{4, 20480, 20480}, BackLinkCase{2, 1000, 1024},
                                         BackLinkCase{0, 512, 512}),
                         [](const testing::TestParamInfo<BackLinkCase>& param) {
                             return "Version" + std::to_string(param.param.version);
                         });

TEST_F(ReadTest, BackwardFromTheDataLengthSearchesBackInsteadOfFailing) {
    WritePair(3);
    OpenPair();
    ASSERT_EQ(reader_.Seek(reader_.TellTotalLen()), 0);
    EXPECT_EQ(Read(), GopReadResult::End);
    // No GOP follows the last one: the search finds GOP 2's header, and GOP 2
    // ends at the data length, so it is the one before.
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 0);
    EXPECT_EQ(Back(), GopReadResult::Start);
}

TEST_F(ReadTest, BackwardAfterAForwardReadIntoFillerReturnsTheGopJustRead) {
    auto writer = Writer();
    AddGops(*writer, 0, 1);
    writer->AddGap(2);  // two sectors
    AddGops(*writer, 1, 1);
    writer->AddGap(1);
    AddGops(*writer, 2, 1);
    ASSERT_TRUE(writer->Finish());
    OpenPair();
    ASSERT_EQ(Read(), GopReadResult::Read);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    for (int expected : {1, 0}) {
        ASSERT_EQ(Back(), GopReadResult::Read);
        EXPECT_EQ(Number(), expected);
    }
    EXPECT_EQ(Back(), GopReadResult::Start);
}

// Found by the file pair fuzzer: a last GOP cut short by the end of the file
// made every backward read from the data length fail on it again.
TEST_F(ReadTest, BackwardPassesALastGopCutShortByTheFileEnd) {
    // GOPs of 1000 bytes in 1024-byte places; the file ends 100 bytes early,
    // inside the last sector of GOP 2.
    WritePair(3, {.gopLength = 1000}, {.cutBytes = 100});
    OpenPair();
    ASSERT_EQ(reader_.Seek(reader_.TellTotalLen()), 0);
    for (int expected : {1, 0}) {
        ASSERT_EQ(Back(), GopReadResult::Read);
        EXPECT_EQ(Number(), expected);
    }
    EXPECT_EQ(Back(), GopReadResult::Start);
}

TEST_F(ReadTest, BackwardFromADataLengthBeyondTheFileStartsAtTheFileEnd) {
    WritePair(3, {}, {.cutBytes = 2048});  // the last GOP is missing from the file
    OpenPair();
    ASSERT_EQ(reader_.Seek(reader_.TellTotalLen()), 0);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);  // the last whole GOP in the file
    EXPECT_TRUE(errors_.Take().empty());
}

TEST_F(ReadTest, ShortFileFailsOnceThenEnds) {
    WritePair(2, {}, {.cutBytes = 1000});
    OpenPair();
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Read(), GopReadResult::Failed);
    EXPECT_EQ(reader_.Tellp(), 2048u + 512);  // past the cut GOP's first sector
    EXPECT_EQ(Read(), GopReadResult::End);
}

TEST_F(ReadTest, GopLargerThanTheBufferFailsOnceAndIsPassed) {
    WritePairDamaging(4, 1, {.growTo = 13u << 20});
    OpenPair();
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Read(), GopReadResult::Failed);
    EXPECT_EQ(reader_.Tellp(), 2048u + 512);  // past its first sector
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    const uint64_t afterLast = reader_.Tellp();
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 2);
    // Backward the big GOP fails where it starts; the next step goes on before it.
    EXPECT_EQ(Back(), GopReadResult::Failed);
    EXPECT_EQ(reader_.Tellp(), 2048u);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 0);
    EXPECT_EQ(afterLast, 2048u + (13u << 20) + 2048);
}

// A GOP whose length field was damaged to run past the end of the file is
// passed by its first sector, reading or skipping: every other GOP follows.
TEST_F(ReadTest, GopLengthRunningPastTheFileEndIsPassedAndTheRestRead) {
    WritePairDamaging(30, 5, {.statedLength = 11u << 20});
    OpenPair();
    std::vector<int> numbers;
    int failures = 0;
    for (GopReadResult r; (r = Read()) != GopReadResult::End;) {
        ASSERT_LE(numbers.size() + size_t(failures), 40u) << "the walk does not end";
        if (r == GopReadResult::Failed) {
            ++failures;
            EXPECT_EQ(reader_.Tellp(), 5u * 2048 + 512);  // past the damaged GOP's first sector
            continue;
        }
        ASSERT_EQ(r, GopReadResult::Read);
        numbers.push_back(Number());
    }
    std::vector<int> expected;
    for (int i = 0; i < 30; ++i)
        if (i != 5)
            expected.push_back(i);
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(failures, 1);
    ASSERT_EQ(reader_.Seek(4 * 2048), 0);
    ASSERT_EQ(Skip(2), GopReadResult::Read);  // passes GOP 4 and the damaged one
    EXPECT_EQ(Number(), 6);
    ASSERT_EQ(Read(), GopReadResult::Read);
    EXPECT_EQ(Number(), 7);
}

// Recorders that copy the GOP-wide fields into every frame header leave
// headers inside a GOP that look like a GOP start. A seek into the GOP rounds
// up onto such a header; its frames do not fill the GOP its length claims
// and no telemetry lies where it says, so the search passes it and reads the
// next GOP whole, with or without a telemetry block.
TEST_F(ReadTest, ACopiedLaterHeaderOnASectorIsPassedAfterASeek) {
    for (const bool telemetry : {false, true}) {
        SCOPED_TRACE(telemetry);
        WritePair(6, {.secondFrameAt = 512, .copyGopFields = true, .telemetry = telemetry});
        OpenPair();
        ASSERT_EQ(Read(), GopReadResult::Read);
        // The fixture holds the case: a header carrying the GOP's length at 512.
        ASSERT_EQ(ReadFrameHeader(buffer_.data() + 512).gopLength, 2000u);
        for (int k = 0; k < 5; ++k) {
            ASSERT_EQ(reader_.Seek(uint64_t(k) * 2048 + 1), 0);
            ASSERT_EQ(Read(), GopReadResult::Read) << k;
            EXPECT_EQ(Number(), k + 1);
            EXPECT_EQ(length_, 2048);
            EXPECT_EQ(reader_.Tellp(), uint64_t(k + 2) * 2048);
        }
        // Backward from past the later header: its back link (copied too)
        // points into the GOP before; the walk goes on below it, to the GOP's
        // first header, whose link gives the GOP before whole.
        for (int k = 1; k < 6; ++k) {
            ASSERT_EQ(reader_.Seek(uint64_t(k) * 2048 + 1024), 0);
            ASSERT_EQ(Back(), GopReadResult::Read) << k;
            EXPECT_EQ(Number(), k - 1);
            EXPECT_EQ(reader_.Tellp(), uint64_t(k - 1) * 2048);
        }
        // In the last GOP the later header's length runs past the end of the
        // file: reported once as any such GOP, then the data ends.
        ASSERT_EQ(reader_.Seek(5 * 2048 + 1), 0);
        EXPECT_EQ(Read(), GopReadResult::Failed);
        EXPECT_EQ(Read(), GopReadResult::End);
        ASSERT_EQ(reader_.Close(), 0);
    }
}

// Back reads and back skips alike, as on a disk or card.
TEST_F(ReadTest, BackwardWalksPassALinkedSectorThatIsNoGop) {
    WritePairDamaging(5, 2, {.badMagic = true});
    OpenPair();
    ASSERT_EQ(reader_.Seek(4 * 2048), 0);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 3);
    // The link of 3 reaches the damaged bytes: the walk goes on before them
    // and reads GOP 1, the whole GOP that ends where they begin.
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    ASSERT_EQ(reader_.Seek(4 * 2048), 0);
    // Passes 3; the link of 3 reaches the damaged bytes, so the walk goes on
    // before them and reads GOP 1, the whole GOP that ends where they begin.
    ASSERT_EQ(SkipBack(1), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
}

TEST_F(ReadTest, UnusableBuffersAndAClosedReaderAreRefused) {
    EXPECT_EQ(Read(), GopReadResult::NotOpen);
    EXPECT_EQ(Back(), GopReadResult::NotOpen);
    EXPECT_EQ(Skip(1), GopReadResult::NotOpen);
    EXPECT_EQ(SkipBack(1), GopReadResult::NotOpen);
    WritePair(2);
    OpenPair();
    int length = 511;
    EXPECT_EQ(reader_.ReadGop(buffer_.data(), &length), GopReadResult::NotOpen);
    EXPECT_EQ(reader_.ReadGopBack(buffer_.data(), &length), GopReadResult::NotOpen);
    length = -1;
    EXPECT_EQ(reader_.SkipGop(1, buffer_.data(), &length), GopReadResult::NotOpen);
    EXPECT_EQ(reader_.ReadGop(nullptr, &length_), GopReadResult::NotOpen);
    EXPECT_EQ(reader_.ReadGop(buffer_.data(), nullptr), GopReadResult::NotOpen);
    EXPECT_EQ(reader_.Tellp(), 0u);
    length = 2047;  // one byte short of the GOP
    EXPECT_EQ(reader_.ReadGop(buffer_.data(), &length), GopReadResult::Failed);
    length = 2048;
    ASSERT_EQ(reader_.ReadGop(buffer_.data(), &length), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);  // the first GOP was passed after its failure
}

TEST_F(ReadTest, BackLinkReachingBeforeTheStartEndsTheWalk) {
    WritePairDamaging(3, 1, {.backLink = 100});  // 51200 bytes
    OpenPair();
    ASSERT_EQ(reader_.Seek(2 * 2048), 0);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 1);
    EXPECT_EQ(Back(), GopReadResult::Start);
    EXPECT_EQ(reader_.Tellp(), 0u);
    ASSERT_EQ(reader_.Seek(2 * 2048), 0);
    EXPECT_EQ(SkipBack(1), GopReadResult::Start);
    EXPECT_EQ(reader_.Tellp(), 0u);
}

TEST_F(ReadTest, ByteBackLinksRoundUpToTheSector) {
    auto writer = Writer();
    AddGops(*writer, 0, 2, {.version = 3, .gopLength = 3000});
    // 2049 bytes round up to 2560: the link lands 512 bytes into GOP 1, no
    // GOP header, so the walk goes on from there: GOP 1's own link to GOP 0.
    ASSERT_TRUE(writer->AddGop(MakeGop({.version = 3}, kFirstTime + 2), {.backLink = 2049}));
    AddGops(*writer, 3, 1, {.version = 3});
    ASSERT_TRUE(writer->Finish());
    OpenPair();
    const uint64_t gop2 = 2 * 3072;
    ASSERT_EQ(reader_.Seek(gop2), 0);
    ASSERT_EQ(Back(), GopReadResult::Read);
    EXPECT_EQ(Number(), 0);
    EXPECT_EQ(length_, 3072);
    EXPECT_EQ(reader_.Tellp(), 0u);
    ASSERT_EQ(reader_.Seek(gop2 + 2048), 0);  // GOP 3's start
    ASSERT_EQ(SkipBack(1), GopReadResult::Read);
    EXPECT_EQ(Number(), 0);  // the damaged link was passed over; GOP 1 links to 0
}

}  // namespace
