#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "player/disk/HddSource.h"
#include "player/disk/TimeIndexRebuild.h"
#include "player/source/IndexCodec.h"
#include "tests/player/disk/DiskFixture.h"
#include "tests/player/disk/InstantClock.h"
#include "tools/diskimage/RingRecorder.h"

namespace {

using diskimage::kMiB;

struct Report {
    int kind;
    bool named;
    int status;
};
std::vector<Report> g_reports;  // the rebuild runs on the test's thread

void Record(int kind, const char* name, int status) {
    g_reports.push_back({kind, name != nullptr, status});
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The live GOPs from the one recorded at `time` on: what a disk plays from
// the index entry of that time.
std::vector<uint32_t> LiveTimesFrom(const diskimage::Recording& r, uint32_t time) {
    std::vector<uint32_t> times;
    for (const diskimage::PlacedGop& g : r.live)
        if (!times.empty() || g.time == time)
            times.push_back(g.time);
    return times;
}

class HddRebuildTest : public DiskFixture {
protected:
    void SetUp() override {
        DiskFixture::SetUp();
        SetCurrentClock(&clock_);
        g_reports.clear();
    }
    void TearDown() override {
        SetCurrentClock(nullptr);
        DiskFixture::TearDown();
    }

    // A disk whose ring holds only the GOPs a test writes itself.
    void AddEmptyDisk(uint64_t ringLength) {
        diskimage::HddImageOptions options;
        options.partition2Length = ringLength;
        AddDisk(options);
    }
    void WriteGop(uint64_t raw, uint32_t time, uint32_t payload) {
        std::fstream image(dir_.File("hdd.img"), std::ios::in | std::ios::out | std::ios::binary);
        image.seekp(std::streamoff(2 * kMiB + raw));
        const std::vector<uint8_t> gop = diskimage::MakeTestGop(time, payload, 0);
        image.write(reinterpret_cast<const char*>(gop.data()), std::streamsize(gop.size()));
    }
    RebuildScan Rebuild(const std::atomic<bool>* stop = nullptr) {
        if (!reader_.Detect(&paths_))
            return RebuildScan::Failed;
        return CHddSource::RebuildTimeIndex(paths_.DataFile, Rebuilt().c_str(), &Record, stop);
    }
    // Every GOP the disk plays from its start, reading forward.
    std::vector<uint32_t> PlayedTimes() {
        CHddSource source;
        CDataSource paths;
        if (!source.Detect(&paths) || source.Open(paths) != 0)
            return {};
        return TimesOf(Forward(source));
    }
    std::vector<InxUnit> RebuiltEntries(InxHd* header) {
        const std::vector<uint8_t> bytes = FileBytes(Rebuilt());
        EXPECT_EQ(bytes.size(), 16777216u);
        *header = DecodeInxHd(bytes.data());
        std::vector<InxUnit> entries;
        for (uint32_t i = 1; i < header->last && i < 0xFFFFF; ++i)
            entries.push_back(DecodeInxUnit(&bytes[16 * i]));
        return entries;
    }
    std::string Rebuilt() const { return dir_.File("rebuilt"); }
    std::string TimeIndex() const { return dir_.File("f/timeindex"); }

    InstantClock clock_;
    CHddSource reader_;
    CDataSource paths_;
};

TEST_F(HddRebuildTest, KeepsOneEntryPerNewMinuteIncludingTheFirst) {
    AddEmptyDisk(kMiB);
    // GOPs every 1024 bytes with times 59, 60, 60, 61, ..., 120.
    WriteGop(0, 59, 560);
    for (uint32_t k = 1; k <= 62; ++k)
        WriteGop(1024 * k, k == 1 ? 60 : 58 + k, 560);
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    EXPECT_EQ(header.magic, kInxMagic);
    EXPECT_EQ(header.first, 1u);
    EXPECT_EQ(header.last, 3u);  // one past the newest, as the recorder writes it
    EXPECT_EQ(header.wrapped, 0u);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].time, 60u);
    EXPECT_EQ(entries[0].offset, 1024u);
    EXPECT_EQ(entries[1].time, 120u);
    EXPECT_EQ(entries[1].offset, 62u * 1024);
}

TEST_F(HddRebuildTest, NoHeaderIsPassedOverAfterSmallGopsOrEmptySectors) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);     // one sector
    WriteGop(512, 180, 400);   // right behind it
    WriteGop(2048, 240, 400);  // after an empty sector
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].offset, 512u);
    EXPECT_EQ(entries[2].offset, 2048u);
}

TEST_F(HddRebuildTest, ProgressRunsToTenThousandWithAPausePerStepAndTheIndexGoesInPlace) {
    AddEmptyDisk(kMiB);
    WriteGop(4096, 600, 3000);
    const uint64_t start = clock_.NowMs();
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    ASSERT_FALSE(g_reports.empty());
    EXPECT_EQ(clock_.NowMs() - start, g_reports.size());  // 1 ms after every step
    int previous = 0;
    for (const Report& r : g_reports) {
        EXPECT_EQ(r.kind, 5);
        EXPECT_FALSE(r.named);
        EXPECT_GE(r.status, previous);
        EXPECT_LE(r.status, 10000);
        previous = r.status;
    }
    EXPECT_EQ(g_reports.back().status, 10000);

    EXPECT_TRUE(std::none_of(g_reports.begin(), g_reports.end(), [](const Report& r) {
        return r.status < 0;
    })) << "the end is the rebuild thread's to report";
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str()));
    EXPECT_EQ(FileBytes(TimeIndex() + ".bak"), old);
    EXPECT_EQ(FileBytes(TimeIndex()), FileBytes(Rebuilt()));
}

TEST_F(HddRebuildTest, FindingNoMinuteFailsWithoutDone) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 61, 400);
    EXPECT_EQ(Rebuild(), RebuildScan::Failed);
    ASSERT_FALSE(g_reports.empty());
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    const std::atomic<bool> stop{false};
    EXPECT_EQ(RunTimeIndexRebuild(&Record, stop), SOURCE_REBUILD_FAILED);
    EXPECT_EQ(FileBytes(TimeIndex()), old);
}

TEST_F(HddRebuildTest, FailsAtOnceWithoutADiskOrAPlaceForTheIndex) {
    EXPECT_EQ(CHddSource::RebuildTimeIndex("\\\\.\\PHYSICALDRIVE3", Rebuilt().c_str(), &Record),
              RebuildScan::Failed);
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);
    ASSERT_TRUE(reader_.Detect(&paths_));
    const std::string nowhere = dir_.File("missing/timeindex");
    EXPECT_EQ(CHddSource::RebuildTimeIndex(paths_.DataFile, nowhere.c_str(), &Record),
              RebuildScan::Failed);
    SetPresent(kRecorderDisk, false);
    EXPECT_EQ(CHddSource::RebuildTimeIndex(paths_.DataFile, Rebuilt().c_str(), &Record),
              RebuildScan::Failed);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(HddRebuildTest, OldIndexStaysWhenItsBackupCannotBeMade) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    std::filesystem::create_directory(TimeIndex() + ".bak");  // no file can be copied there
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    EXPECT_FALSE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str()));
    EXPECT_EQ(FileBytes(TimeIndex()), old);
}

TEST_F(HddRebuildTest, AStopEndsTheScanBeforeItsNextSector) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);
    std::atomic<bool> stop{false};
    // The stop arrives with the third progress report.
    static std::atomic<bool>* s_stop;
    s_stop = &stop;
    ASSERT_TRUE(reader_.Detect(&paths_));
    const RebuildScan scan = CHddSource::RebuildTimeIndex(
        paths_.DataFile, Rebuilt().c_str(),
        [](int kind, const char* name, int status) {
            Record(kind, name, status);
            if (g_reports.size() == 3)
                s_stop->store(true);
        },
        &stop);
    EXPECT_EQ(scan, RebuildScan::Stopped);
    EXPECT_EQ(g_reports.size(), 3u);
}

// A disk in service has wrapped: the rebuilt index starts where the newest
// run ends (the older lap), is marked wrapped and leaves out a stale GOP in
// the reserve; the disk then plays in time order, its first GOP before its last.
TEST_F(HddRebuildTest, RebuiltIndexOfAWrappedDiskPlaysItInTimeOrder) {
    diskimage::HddImageOptions options;
    options.plan.count = 5000;
    const diskimage::Recording r = AddDisk(options);
    ASSERT_TRUE(r.wrapped);
    const uint32_t staleTime = (r.written.back().time / 60 + 100) * 60;  // newer than all
    WriteGop(20 * kMiB, staleTime, 400);  // in the 10 MiB reserve at the ring's end
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    EXPECT_EQ(header.wrapped, 1u);
    ASSERT_FALSE(entries.empty());
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(entries[i - 1].time, entries[i].time) << i;
    EXPECT_NE(entries.back().time, staleTime);
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str()));

    CHddSource source;
    CDataSource paths;
    ASSERT_TRUE(source.Detect(&paths));
    ASSERT_EQ(source.Open(paths), 0);
    EXPECT_LT(source.TellBegTime(), source.TellEndTime());
    EXPECT_TRUE(SameTimes(TimesOf(Forward(source)), LiveTimesFrom(r, source.TellBegTime())));
    EXPECT_EQ(source.TellBegTime(), entries.front().time);
}

// The rebuild is how a lost time index comes back: the disk is found by its
// other index files, and no backup is made of an index that is not there.
TEST_F(HddRebuildTest, ALostTimeIndexIsRebuiltOnADiskFoundByItsOtherIndexes) {
    diskimage::HddImageOptions options;
    options.plan.count = 300;
    const diskimage::Recording r = AddDisk(options);
    ASSERT_TRUE(std::filesystem::remove(TimeIndex()));
    EXPECT_FALSE(reader_.Detect(&paths_));  // playback needs it
    const std::atomic<bool> stop{false};
    EXPECT_EQ(RunTimeIndexRebuild(&Record, stop), SOURCE_REBUILD_DONE);
    EXPECT_FALSE(std::filesystem::exists(TimeIndex() + ".bak"));
    CHddSource source;
    CDataSource paths;
    ASSERT_TRUE(source.Detect(&paths));
    ASSERT_EQ(source.Open(paths), 0);
    EXPECT_TRUE(SameTimes(TimesOf(Forward(source)), LiveTimesFrom(r, source.TellBegTime())));
    EXPECT_EQ(source.TellBegTime() % 60, 0u);
}

// A disk with unreadable sectors is the usual reason to rebuild: they are
// passed, counted and reported, and the scan goes on to the ring's end.
TEST_F(HddRebuildTest, UnreadableSectorsArePassedCountedAndReported) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);
    WriteGop(4096, 180, 400);
    // The image ends 8 KiB into the ring: every sector after it fails to read.
    ASSERT_EQ(truncate(dir_.File("hdd.img").c_str(), off_t(2 * kMiB + 8192)), 0);
    const std::atomic<bool> stop{false};
    EXPECT_EQ(RunTimeIndexRebuild(&Record, stop), SOURCE_REBUILD_DONE);
    EXPECT_EQ(g_reports.back().status, 10000);
    EXPECT_EQ(errors_.Take(), (std::vector<ReportedError>{{40102, 0, int((kMiB - 8192) / 512)}}));
    InxHd header{};
    std::ifstream in(TimeIndex(), std::ios::binary);
    uint8_t record[48] = {};
    in.read(reinterpret_cast<char*>(record), sizeof record);
    header = DecodeInxHd(record);
    EXPECT_EQ(header.last, 3u);
    EXPECT_EQ(DecodeInxUnit(record + 16).time, 120u);
    EXPECT_EQ(DecodeInxUnit(record + 32).time, 180u);
}

// Unwritten space costs a pause per read of many sectors, not one per sector.
TEST_F(HddRebuildTest, EmptySpaceIsScannedWithAPausePerReadOfManySectors) {
    AddEmptyDisk(8 * kMiB);
    WriteGop(0, 120, 400);
    const uint64_t start = clock_.NowMs();
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    EXPECT_LE(clock_.NowMs() - start, 8 * kMiB / 65536 + 1);
    EXPECT_EQ(clock_.NowMs() - start, g_reports.size());
}

// A recorder whose clock was set back 100 s in the middle of its recording:
// whole minutes repeat further on in the ring.
TEST_F(HddRebuildTest, ADiskWhoseClockWentBackPlaysEveryGopAsBeforeTheRebuild) {
    diskimage::HddImageOptions options;
    options.plan.count = 300;
    const uint32_t start = options.plan.startTime;  // a whole minute
    options.plan.timeOf = [start](int i) { return start + uint32_t(i < 200 ? i : i - 100); };
    const diskimage::Recording r = AddDisk(options);
    ASSERT_FALSE(r.wrapped);
    const std::vector<uint32_t> before = PlayedTimes();
    ASSERT_TRUE(SameTimes(before, LiveTimes(r)));

    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    EXPECT_EQ(header.wrapped, 0u);
    std::vector<uint32_t> minutes;
    for (const InxUnit& e : entries)
        minutes.push_back(e.time - start);
    EXPECT_EQ(minutes, (std::vector<uint32_t>{0, 60, 120, 180, 120, 180}));
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str()));
    EXPECT_TRUE(SameTimes(PlayedTimes(), before));
}

}  // namespace
