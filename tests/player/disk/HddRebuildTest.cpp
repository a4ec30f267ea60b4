#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "player/disk/HddSource.h"
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

    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    const size_t reports = g_reports.size();
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str()));
    EXPECT_EQ(g_reports.size(), reports) << "the end is the rebuild thread's to report";
    EXPECT_EQ(FileBytes(TimeIndex() + ".bak"), old);
    EXPECT_EQ(FileBytes(TimeIndex()), FileBytes(Rebuilt()));
}

TEST_F(HddRebuildTest, FindingNoMinuteFailsWithoutDone) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 61, 400);
    EXPECT_EQ(Rebuild(), RebuildScan::Failed);
    ASSERT_FALSE(g_reports.empty());
    EXPECT_NE(g_reports.back().status, -1);
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

// The entries follow the ring from its front, unwrapped: a disk that holds
// two laps plays its newer lap first, then what is left of the older one.
TEST_F(HddRebuildTest, RebuiltIndexOfAWrappedDiskFollowsTheRingInScanOrder) {
    diskimage::HddImageOptions options;
    options.plan.count = 5000;
    const diskimage::Recording r = AddDisk(options);
    ASSERT_TRUE(r.wrapped);
    ASSERT_EQ(Rebuild(), RebuildScan::Written);
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    EXPECT_EQ(header.wrapped, 0u);
    ASSERT_FALSE(entries.empty());
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(entries[i - 1].offset, entries[i].offset);
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str()));

    std::vector<diskimage::PlacedGop> byOffset = r.live;
    std::sort(byOffset.begin(), byOffset.end(),
              [](const auto& a, const auto& b) { return a.raw < b.raw; });
    std::vector<uint32_t> expected;
    for (const diskimage::PlacedGop& g : byOffset) {
        if (g.raw >= entries.front().offset)
            expected.push_back(g.time);
    }
    EXPECT_TRUE(SameTimes(PlayedTimes(), expected));
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
