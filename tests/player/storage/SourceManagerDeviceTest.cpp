#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/base/FakeClock.h"
#include "platform/base/Thread.h"
#include "tests/player/storage/DeviceManagerFixture.h"
#include "tests/player/storage/ExtractLog.h"

namespace {

class EachDevice : public SourceManagerDeviceTest, public testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(DiskAndCard, EachDevice, testing::Values(OPENED_DISK, OPENED_CARD),
                         [](const auto& param) { return param.param == 1 ? "Disk" : "Card"; });

TEST_P(EachDevice, ADeviceNotAttachedIsLookedForEvery250MsUntilItIsFound) {
    const int kind = GetParam();
    ScopedFakeClock clock;
    ASSERT_EQ(manager_.Open(kind, "", ""), 0);
    EXPECT_EQ(manager_.TellType(), kind);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    // Meanwhile the source answers as a reader that is not open.
    EXPECT_EQ(Read(true), GopReadResult::NotOpen);
    EXPECT_EQ(manager_.Seek(0), -1);
    EXPECT_EQ(errors_.TakeCodes(),
              std::vector<int>{kind == OPENED_DISK ? ERR_DISK_SEEK_FAILED : ERR_CARD_SEEK_FAILED});
    EXPECT_FALSE(manager_.ReadTimeInxHd(nullptr));
    clock->Advance(249);
    Add(kind, 10);  // attached while the thread waits for its next look
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_TRUE(reports_.WaitFor(1, 50).empty());
    clock->Advance(1);
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{kind, NameOf(kind), 1}}));
    EXPECT_EQ(Read(true), GopReadResult::Read);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_P(EachDevice, ClosedBeforeItIsFoundNothingIsReported) {
    ScopedFakeClock clock;
    ASSERT_EQ(manager_.Open(GetParam(), "", ""), 0);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_EQ(manager_.Close(), 0);  // wakes the poll at once: no clock needed
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    EXPECT_TRUE(reports_.WaitFor(1, 50).empty());
}

TEST_P(EachDevice, AnOpenDeviceIsWatchedEvery250MsUntilRemoved) {
    const int kind = GetParam();
    Add(kind, 10);
    ScopedFakeClock clock;
    OpenDevice(kind);
    ASSERT_TRUE(clock->WaitForSleepers(1));  // the watch, between two looks
    SetPresent(NumberOf(kind), false);
    clock->Advance(249);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_EQ(reports_.WaitFor(2, 50).size(), 1u);
    clock->Advance(1);
    EXPECT_EQ(reports_.WaitFor(2),
              (std::vector<SourceReport>{{kind, NameOf(kind), 1}, {kind, "(null)", 2}}));
    EXPECT_EQ(manager_.TellType(), kind);  // the host closes it
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
}

// Forward from the oldest live GOP across the wrap to the newest, back to
// the oldest, and seeks to index entries on both sides of the wrap.
TEST_P(EachDevice, ReadsSeeksAndTimesGoToTheDeviceReader) {
    const int kind = GetParam();
    const diskimage::Recording r = Add(kind, 50);
    ASSERT_TRUE(r.wrapped);
    OpenDevice(kind);
    EXPECT_EQ(manager_.TellScreenNum(), 4);  // the generator's channel count
    EXPECT_GE(manager_.TellGopVersion(), 0);
    EXPECT_EQ(manager_.TellBegTime(), r.live.front().time);
    EXPECT_EQ(manager_.TellEndTime(), r.live.back().time);
    const std::vector<uint32_t> live = LiveTimes(r);
    GopReadResult last{};
    EXPECT_TRUE(SameTimes(
        TimesOf([&](uint8_t* b, int* n) { return manager_.ReadGop(b, n); }, &last), live));
    EXPECT_EQ(last, GopReadResult::End);
    EXPECT_EQ(manager_.Tellp(), manager_.TellTotalLen());
    std::vector<uint32_t> reversed(live.rbegin(), live.rend());
    EXPECT_TRUE(SameTimes(
        TimesOf([&](uint8_t* b, int* n) { return manager_.ReadGopBack(b, n); }, &last), reversed));
    EXPECT_EQ(last, GopReadResult::Start);
    int length = kGopBufferSize;
    EXPECT_EQ(manager_.SkipGop(0, buffer_.get(), &length), GopReadResult::NotOpen);

    InxHd header{};
    ASSERT_TRUE(manager_.ReadTimeInxHd(&header));
    for (uint32_t i = header.first; i != header.last + 1; i = i == 0xFFFFF ? 1 : i + 1) {
        InxUnit unit{};
        ASSERT_TRUE(manager_.ReadTimeInxUnit(int(i), &unit));
        SCOPED_TRACE(unit.time);
        ASSERT_EQ(manager_.Seek(unit.offset), 0);
        ASSERT_EQ(Read(true), GopReadResult::Read);
        EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, unit.time);
    }
    EXPECT_EQ(manager_.Seek(manager_.TellTotalLen() + 512), -1);
    EXPECT_EQ(errors_.TakeCodes(),
              std::vector<int>{kind == OPENED_DISK ? ERR_DISK_SEEK_FAILED : ERR_CARD_SEEK_FAILED});
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_P(EachDevice, EventAndQuickIndexesComeFromTheDeviceAndNotFromAFilePair) {
    const int kind = GetParam();
    const diskimage::Recording r = Add(kind, 20);
    OpenDevice(kind);
    InxHd events{};
    ASSERT_TRUE(manager_.ReadEvtInxHd(&events));
    EXPECT_EQ(int(events.last), r.eventCount);
    InxUnit event{};
    ASSERT_TRUE(manager_.ReadEvtInxUnit(1, &event));
    EXPECT_EQ(event.time, r.live.front().time);
    QuickInxHd quick{};
    EXPECT_TRUE(manager_.ReadQuickInxHd(&quick));
    QuickInxUnit record{};
    EXPECT_TRUE(manager_.ReadQuickInxUnit(1, &record));
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_FALSE(manager_.ReadEvtInxHd(&events));
    EXPECT_FALSE(manager_.ReadQuickInxHd(&quick));
}

// Across the wrap, with a reader of its own: playback keeps its position.
TEST_P(EachDevice, ExtractsARangeWithASecondReader) {
    const int kind = GetParam();
    const diskimage::Recording r = Add(kind, 50);
    OpenDevice(kind);
    InxHd header{};
    ASSERT_TRUE(manager_.ReadTimeInxHd(&header));
    InxUnit from{}, to{};
    ASSERT_TRUE(manager_.ReadTimeInxUnit(int(header.first) + 2, &from));
    ASSERT_TRUE(manager_.ReadTimeInxUnit(int(header.last) - 2, &to));
    int length = kGopBufferSize;
    ASSERT_EQ(manager_.SkipGop(3, buffer_.get(), &length), GopReadResult::Read);
    const uint64_t position = manager_.Tellp();
    ExtractLog log;
    ASSERT_EQ(manager_.StartExtract(from.offset, to.offset, log.Sink()), 0);
    const std::vector<int> codes = log.WaitForEnd();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), EXTRACT_FINISHED);
    std::vector<uint32_t> expected;
    for (const diskimage::PlacedGop& g : r.live)
        if (g.time >= from.time && g.time < to.time)
            expected.push_back(g.time);
    EXPECT_TRUE(SameTimes(log.GopTimes(), expected));
    EXPECT_EQ(manager_.Tellp(), position);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_P(EachDevice, AStopEndsADeviceExtractionBeforeItsNextGopWithTheRangesIndex) {
    const int kind = GetParam();
    Add(kind, 20);
    OpenDevice(kind);
    InxHd header{};
    ASSERT_TRUE(manager_.ReadTimeInxHd(&header));
    InxUnit from{}, to{};
    ASSERT_TRUE(manager_.ReadTimeInxUnit(int(header.first), &from));
    ASSERT_TRUE(manager_.ReadTimeInxUnit(int(header.first) + 10, &to));
    ExtractLog log;
    log.StopAfterFirstGop(&manager_);
    ASSERT_EQ(manager_.StartExtract(from.offset, to.offset, log.Sink()), 0);
    // One GOP, the header and the range's 11 entries, and the stop code.
    std::vector<int> expected{EXTRACT_GOP};
    expected.insert(expected.end(), 12, EXTRACT_INDEX_RECORD);
    expected.push_back(EXTRACT_STOPPED);
    EXPECT_EQ(log.WaitForEnd(), expected);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_P(EachDevice, ANotYetFoundDeviceCannotBeExtracted) {
    ScopedFakeClock clock;  // keeps the detection waiting
    ASSERT_EQ(manager_.Open(GetParam(), "", ""), 0);
    ExtractLog log;
    ASSERT_EQ(manager_.StartExtract(0, 512, log.Sink()), 0);
    EXPECT_EQ(log.WaitForEnd(), std::vector<int>{EXTRACT_OPEN_FAILED});
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_F(SourceManagerDeviceTest, ADiskThatFailsToOpenIsReportedAndKeepsItsType) {
    AddDisk(SmallDisk(10));
    std::filesystem::remove(dir_.File("f/eventindex"));  // found, but not whole
    ASSERT_EQ(manager_.Open(OPENED_DISK, "", ""), 0);
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{1, kDiskName, 0}}));
    EXPECT_EQ(manager_.TellType(), OPENED_DISK);
    EXPECT_EQ(Read(true), GopReadResult::NotOpen);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_F(SourceManagerDeviceTest, AThreadThatCannotStartLeavesNothingOpen) {
    FailNextThreadStarts(1);
    EXPECT_EQ(manager_.Open(OPENED_DISK, "", ""), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    FailNextThreadStarts(1);
    EXPECT_EQ(manager_.Open(OPENED_REBUILD, "", ""), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
}

TEST_F(SourceManagerDeviceTest, AWatchThatCannotStartLeavesNoReaderOpen) {
    ScopedFakeClock clock;
    ASSERT_EQ(manager_.Open(OPENED_CARD, "", ""), 0);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    AddCard(SmallCard(10));
    FailNextThreadStarts(1);  // the watch, started once the card is open
    clock->Advance(250);
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{2, kCardName, 0}}));
    EXPECT_EQ(Read(true), GopReadResult::NotOpen);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_F(SourceManagerDeviceTest, ARebuildRequestIsStoredAsRebuildAndFindsNoDisk) {
    ASSERT_EQ(manager_.Open(OPENED_REBUILD_REQUEST, "", ""), 0);
    EXPECT_EQ(manager_.TellType(), OPENED_REBUILD);
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{5, "(null)", -2}}));
    EXPECT_EQ(manager_.Seek(0), -1);
    EXPECT_EQ(errors_.TakeCodes(), std::vector<int>{ERR_SOURCE_SEEK_TYPE});
    EXPECT_EQ(manager_.StartExtract(0, 1, [](int, int, const void*, int) {}), -1);
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
}

// The rebuild writes into the current directory, keeps the old index as
// ".bak" and reports the end only with the new one in place; the disk then
// opens on the rebuilt index.
}  // namespace
