#include <filesystem>
#include <fstream>
#include <mutex>

#include "player/disk/HddSource.h"
#include "player/disk/IndexCodec.h"
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
    bool Rebuild() {
        if (!reader_.Detect(&paths_))
            return false;
        return reader_.RebuildTimeIndex(paths_.DataFile, Rebuilt().c_str(), &Record);
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
    ASSERT_TRUE(Rebuild());
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
    ASSERT_TRUE(Rebuild());
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].offset, 512u);
    EXPECT_EQ(entries[2].offset, 2048u);
}

TEST_F(HddRebuildTest, ProgressRunsToTenThousandWithAPausePerStepThenDoneOnceInPlace) {
    AddEmptyDisk(kMiB);
    WriteGop(4096, 600, 3000);
    const uint64_t start = clock_.NowMs();
    ASSERT_TRUE(Rebuild());
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
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str(), &Record));
    EXPECT_EQ(g_reports.back().status, -1);
    EXPECT_EQ(FileBytes(TimeIndex() + ".bak"), old);
    EXPECT_EQ(FileBytes(TimeIndex()), FileBytes(Rebuilt()));
}

TEST_F(HddRebuildTest, FindingNoMinuteFailsWithoutDone) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 61, 400);
    EXPECT_FALSE(Rebuild());
    ASSERT_FALSE(g_reports.empty());
    EXPECT_NE(g_reports.back().status, -1);
}

TEST_F(HddRebuildTest, FailsAtOnceWithoutADiskOrAPlaceForTheIndex) {
    EXPECT_FALSE(CHddSource::RebuildTimeIndex("\\\\.\\PHYSICALDRIVE3", Rebuilt().c_str(), &Record));
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);
    ASSERT_TRUE(reader_.Detect(&paths_));
    const std::string nowhere = dir_.File("missing/timeindex");
    EXPECT_FALSE(CHddSource::RebuildTimeIndex(paths_.DataFile, nowhere.c_str(), &Record));
    SetPresent(kRecorderDisk, false);
    EXPECT_FALSE(CHddSource::RebuildTimeIndex(paths_.DataFile, Rebuilt().c_str(), &Record));
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(HddRebuildTest, OldIndexStaysWhenItsBackupCannotBeMade) {
    AddEmptyDisk(kMiB);
    WriteGop(0, 120, 400);
    ASSERT_TRUE(Rebuild());
    std::filesystem::create_directory(TimeIndex() + ".bak");  // no file can be copied there
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    EXPECT_FALSE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str(), &Record));
    EXPECT_EQ(FileBytes(TimeIndex()), old);
    EXPECT_NE(g_reports.back().status, -1);
}

TEST_F(HddRebuildTest, RebuiltIndexOfAWrappedDiskIsReadInTimeOrder) {
    diskimage::HddImageOptions options;
    options.plan.count = 5000;
    const diskimage::Recording r = AddDisk(options);
    ASSERT_TRUE(r.wrapped);
    ASSERT_TRUE(Rebuild());
    InxHd header{};
    const std::vector<InxUnit> entries = RebuiltEntries(&header);
    EXPECT_EQ(header.wrapped, 1u);
    ASSERT_FALSE(entries.empty());
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(entries[i - 1].time, entries[i].time);
    ASSERT_TRUE(CHddSource::ReplaceTimeIndex(Rebuilt().c_str(), TimeIndex().c_str(), &Record));

    CHddSource reopened;
    CDataSource paths;
    ASSERT_TRUE(reopened.Detect(&paths));
    ASSERT_EQ(reopened.Open(paths), 0);
    EXPECT_EQ(reopened.TellBegTime(), entries.front().time);
    EXPECT_EQ(reopened.TellEndTime(), r.written.back().time);
    std::vector<uint32_t> expected;
    for (const diskimage::PlacedGop& g : r.live) {
        if (g.time >= entries.front().time)
            expected.push_back(g.time);
    }
    EXPECT_TRUE(SameTimes(TimesOf(Forward(reopened)), expected));
}

}  // namespace
