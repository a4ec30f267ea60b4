#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/base/FakeClock.h"
#include "platform/base/Thread.h"
#include "tests/player/disk/DiskFixture.h"
#include "tests/player/disk/InstantClock.h"
#include "tests/player/storage/DeviceImages.h"
#include "tests/player/storage/ExtractLog.h"
#include "tests/player/storage/StorageFixture.h"

namespace {

constexpr DWORD kCardNumber = 5;
const char* const kDiskName = "\\\\.\\PHYSICALDRIVE3";
const char* const kCardName = "\\\\.\\PHYSICALDRIVE5";

// Real-time bound for a condition another thread makes true.
template <typename Condition>
bool Eventually(Condition condition, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; ++waited) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

// Index files are 16 MiB: read in one piece.
std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? size_t(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

// The manager over the fixture drive table of DiskFixture.
class SourceManagerDeviceTest : public DiskFixture {
protected:
    void SetUp() override {
        DiskFixture::SetUp();
        manager_.SetSourceCallback(&SourceReports::Collect);
    }

    diskimage::Recording Add(int kind, int gops) {
        return kind == OPENED_DISK ? AddDisk(SmallDisk(gops)) : AddCard(SmallCard(gops));
    }
    static DWORD NumberOf(int kind) { return kind == OPENED_DISK ? kRecorderDisk : kCardNumber; }
    static std::string NameOf(int kind) { return kind == OPENED_DISK ? kDiskName : kCardName; }

    // Opens and waits for the report that the device is open.
    void OpenDevice(int kind) {
        ASSERT_EQ(manager_.Open(kind, "", ""), 0);
        ASSERT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{kind, NameOf(kind), 1}}));
    }

    GopReadResult Read(bool forward) {
        int length = kGopBufferSize;
        return forward ? manager_.ReadGop(buffer_.get(), &length)
                       : manager_.ReadGopBack(buffer_.get(), &length);
    }

    SourceReports reports_;
    CSourceManager manager_;
};

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
class RebuildTest : public SourceManagerDeviceTest {
protected:
    void SetUp() override {
        SourceManagerDeviceTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::create_directory(dir_.File("work"));
        std::filesystem::current_path(dir_.File("work"));
        SetCurrentClock(&clock_);  // the rebuild's pauses cost nothing
    }
    void TearDown() override {
        SetCurrentClock(nullptr);
        std::filesystem::current_path(previous_);
        SourceManagerDeviceTest::TearDown();
    }
    std::string TimeIndex() const { return dir_.File("f/timeindex"); }

    std::filesystem::path previous_;
    InstantClock clock_;
};

TEST_F(RebuildTest, ReportsProgressToTenThousandThenDoneAndTheDiskOpensOnTheNewIndex) {
    diskimage::HddImageOptions options = SmallDisk(12);
    options.partition2Length = diskimage::kMiB;  // scanned in a few steps
    options.plan.secondsPerGop = 30;             // a new minute every other GOP
    const diskimage::Recording r = AddDisk(options);
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    ASSERT_EQ(manager_.Open(OPENED_REBUILD_REQUEST, "", ""), 0);
    const std::vector<SourceReport> reports = reports_.WaitForStatus(SOURCE_REBUILD_DONE);
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports.back(), (SourceReport{5, "(null)", SOURCE_REBUILD_DONE}));
    EXPECT_EQ(reports[reports.size() - 2], (SourceReport{5, "(null)", 10000}));
    EXPECT_TRUE(std::all_of(reports.begin(), reports.end() - 1, [](const SourceReport& report) {
        return report.kind == 5 && report.name == "(null)" && report.status >= 0;
    }));
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end() - 1,
                               [](auto& a, auto& b) { return a.status < b.status; }));
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(FileBytes(TimeIndex() + ".bak"), old);
    EXPECT_EQ(FileBytes(TimeIndex()), FileBytes(dir_.File("work/timeindex")));
    EXPECT_NE(FileBytes(TimeIndex()), old);

    SetCurrentClock(nullptr);
    reports_.Clear();
    OpenDevice(OPENED_DISK);
    InxHd header{};
    ASSERT_TRUE(manager_.ReadTimeInxHd(&header));
    InxUnit unit{};
    ASSERT_TRUE(manager_.ReadTimeInxUnit(int(header.first), &unit));
    EXPECT_EQ(unit.time % 60, 0u);
    EXPECT_EQ(unit.time / 60, (r.live.front().time + 59) / 60);
    ASSERT_EQ(manager_.Seek(unit.offset), 0);
    ASSERT_EQ(Read(true), GopReadResult::Read);
    EXPECT_EQ(ReadFrameHeader(buffer_.get()).time, unit.time);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_F(RebuildTest, ARebuildThatFindsNoMinuteLeavesTheIndexAndReportsNoEnd) {
    diskimage::HddImageOptions options = SmallDisk(10);
    options.partition2Length = diskimage::kMiB;
    options.plan.startTime += 1;  // ten seconds, none on a whole minute
    AddDisk(options);
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    ASSERT_EQ(manager_.Open(OPENED_REBUILD, "", ""), 0);
    const std::vector<SourceReport> reports = reports_.WaitForStatus(10000);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(FileBytes(TimeIndex()), old);
    EXPECT_FALSE(std::filesystem::exists(TimeIndex() + ".bak"));
    EXPECT_TRUE(std::none_of(reports.begin(), reports.end(),
                             [](auto& report) { return report.status == SOURCE_REBUILD_DONE; }));
}

}  // namespace
