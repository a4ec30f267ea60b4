// The recorder disk and SD card through the exports, on images of
// tools/diskimage named by a fixture drive table.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/disk/DriveTableFile.h"
#include "shared/IndexRecords.h"
#include "tests/player/api/ApiFixture.h"
#include "tests/player/storage/DeviceImages.h"
#include "tools/diskimage/HddImage.h"
#include "tools/diskimage/SdImage.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

constexpr DWORD kDiskNumber = 3;
constexpr DWORD kCardNumber = 5;
const char* const kDiskName = "\\\\.\\PHYSICALDRIVE3";
const char* const kCardName = "\\\\.\\PHYSICALDRIVE5";

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? size_t(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

class DeviceApiTest : public ApiFixture {
protected:
    void SetUp() override {
        setenv(kDriveTableVariable, dir_.File("table").c_str(), 1);
        WriteTable();
        ApiFixture::SetUp();
    }
    void TearDown() override {
        ApiFixture::TearDown();
        unsetenv(kDriveTableVariable);
    }

    void WriteTable() { ASSERT_TRUE(WriteDriveTableFile(dir_.File("table"), table_)); }

    // The disk as physical drive 3 with its first partition as drive F.
    diskimage::Recording AddDisk(diskimage::HddImageOptions options) {
        options.imagePath = dir_.File("hdd.img");
        options.indexDir = dir_.File("f");
        const diskimage::Recording r = diskimage::WriteHddImage(options);
        table_.logical.push_back(
            {'F', DriveKind::Removable, options.indexDir, options.indexDir, kDiskNumber});
        table_.physical.push_back({kDiskNumber, options.imagePath, true});
        WriteTable();
        return r;
    }
    diskimage::Recording AddCard(diskimage::SdImageOptions options) {
        options.imagePath = dir_.File("card.img");
        const diskimage::Recording r = diskimage::WriteSdImage(options);
        table_.physical.push_back({kCardNumber, options.imagePath, true});
        WriteTable();
        return r;
    }
    diskimage::Recording Add(int kind, int gops) {
        return kind == OPENED_DISK ? AddDisk(SmallDisk(gops)) : AddCard(SmallCard(gops));
    }
    void SetPresent(DWORD number, bool present) {
        for (PhysicalDrive& drive : table_.physical)
            if (drive.number == number)
                drive.present = present;
        WriteTable();
    }
    static std::string NameOf(int kind) { return kind == OPENED_DISK ? kDiskName : kCardName; }

    // zOpen and the report that the device is open.
    void OpenDevice(int kind) {
        ASSERT_TRUE(t_->zOpen(kind, "", "", 0, 0));
        ASSERT_EQ(WaitForSource(SOURCE_OPENED),
                  (std::vector<SourceStatus>{{kind, NameOf(kind), SOURCE_OPENED}}));
    }
    std::vector<uint32_t> DataTimes() {
        std::vector<uint32_t> times;
        for (const DataReport& d : Data())
            times.push_back(d.time);
        return times;
    }
    static std::vector<uint32_t> LiveTimes(const diskimage::Recording& r) {
        std::vector<uint32_t> times;
        for (const diskimage::PlacedGop& g : r.live)
            times.push_back(g.time);
        return times;
    }

    DriveTable table_;
};

class EachDevice : public DeviceApiTest, public testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(DiskAndCard, EachDevice, testing::Values(OPENED_DISK, OPENED_CARD),
                         [](const auto& param) { return param.param == 1 ? "Disk" : "Card"; });

TEST_P(EachDevice, AnAbsentDeviceIsOpenedOnceItIsAttached) {
    const int kind = GetParam();
    ASSERT_TRUE(t_->zOpen(kind, "", "", 0, 0));
    EXPECT_EQ(t_->zTellOpenedType(), kind);
    InxHd header{};
    EXPECT_FALSE(t_->zTellTimeInxHd(&header));
    EXPECT_EQ(t_->zTellTotalLen(), -1);
    Add(kind, 10);
    EXPECT_EQ(WaitForSource(SOURCE_OPENED),
              (std::vector<SourceStatus>{{kind, NameOf(kind), SOURCE_OPENED}}));
    EXPECT_TRUE(t_->zTellTimeInxHd(&header));
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_NONE);
}

class PlayedDevice : public EachDevice {
protected:
    // A GOP plays for a second: rings of 4 GOPs of 256 KiB keep it short.
    diskimage::Recording AddPlayable() {
        const auto large = [](int) { return uint32_t(4 * kDeviceGopPayload); };
        diskimage::HddImageOptions disk = SmallDisk(6);
        diskimage::SdImageOptions card = SmallCard(6);
        disk.plan.payload = card.plan.payload = large;
        const diskimage::Recording r = GetParam() == OPENED_DISK ? AddDisk(disk) : AddCard(card);
        EXPECT_TRUE(r.wrapped);
        EXPECT_GE(r.live.size(), 3u);
        return r;
    }
};

INSTANTIATE_TEST_SUITE_P(DiskAndCard, PlayedDevice, testing::Values(OPENED_DISK, OPENED_CARD),
                         [](const auto& param) { return param.param == 1 ? "Disk" : "Card"; });

TEST_P(PlayedDevice, PlaysFromTheOldestGopAcrossTheWrapToTheNewest) {
    const diskimage::Recording r = AddPlayable();
    OpenDevice(GetParam());
    EXPECT_EQ(uint32_t(t_->zTellBegTime()), r.live.front().time);
    EXPECT_EQ(uint32_t(t_->zTellEndTime()), r.live.back().time);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    EXPECT_EQ(DataTimes(), LiveTimes(r));
    EXPECT_EQ(t_->zTellp(), t_->zTellTotalLen());
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_TRUE(Errors().empty());
}

// A seek to the newest GOP (beyond the wrap), then backward across the wrap
// to the oldest.
TEST_P(PlayedDevice, SeeksToTheNewestGopAndPlaysBackAcrossTheWrap) {
    const diskimage::Recording r = AddPlayable();
    OpenDevice(GetParam());
    InxHd header{};
    ASSERT_TRUE(t_->zTellTimeInxHd(&header));
    InxUnit newest{};
    ASSERT_TRUE(t_->zTellTimeInxUnit(int(header.last), &newest));
    ASSERT_EQ(newest.time, r.live.back().time);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_EQ(Command(PLAY_CMD_SEEK, 0, int64_t(newest.offset)), MSG_SEEK_DONE);
    // Speed 8, the fastest that reads every GOP.
    ASSERT_EQ(Command(PLAY_CMD_FAST_BACKWARD, 3), MSG_FAST_BACKWARD_DONE);
    // Backward play goes on from the GOP before the position sought to and
    // halts at the start of the data without a message.
    std::vector<uint32_t> expected = LiveTimes(r);
    expected.pop_back();
    std::reverse(expected.begin(), expected.end());
    const auto endsAsExpected = [&](const std::vector<uint32_t>& times) {
        return times.size() >= expected.size() &&
               std::equal(expected.begin(), expected.end(), times.end() - long(expected.size()));
    };
    std::vector<uint32_t> times = DataTimes();
    for (int waited = 0; waited < 3000 && !endsAsExpected(times); ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        times = DataTimes();
    }
    EXPECT_TRUE(endsAsExpected(times)) << testing::PrintToString(times);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
}

TEST_P(EachDevice, ExtractsARangeAcrossTheWrap) {
    const int kind = GetParam();
    const diskimage::Recording r = Add(kind, 50);
    OpenDevice(kind);
    InxHd header{};
    ASSERT_TRUE(t_->zTellTimeInxHd(&header));
    InxUnit from{}, to{};
    ASSERT_TRUE(t_->zTellTimeInxUnit(int(header.first), &from));
    ASSERT_TRUE(t_->zTellTimeInxUnit(int(header.last), &to));
    ASSERT_EQ(t_->zStartExtract(uint32_t(from.offset), int(from.offset >> 32), uint32_t(to.offset),
                                int(to.offset >> 32)),
              0);
    const std::vector<ExtractReport> reports = WaitForExtraction();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().code, EXTRACT_FINISHED);
    std::vector<uint32_t> gops, entries;
    for (const ExtractReport& e : reports) {
        if (e.code == EXTRACT_GOP)
            gops.push_back(e.time);
        else if (e.code == EXTRACT_INDEX_RECORD && e.percent != 1)
            entries.push_back(e.time);
    }
    std::vector<uint32_t> expected = LiveTimes(r);
    expected.pop_back();  // `to` is the end of the range
    EXPECT_EQ(gops, expected);
    EXPECT_EQ(entries.size(), r.live.size());
}

TEST_P(EachDevice, RemovedWhilePlayingIsReportedAndTheSourceStaysOpen) {
    const int kind = GetParam();
    Add(kind, 50);
    OpenDevice(kind);
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    SetPresent(kind == OPENED_DISK ? kDiskNumber : kCardNumber, false);
    EXPECT_EQ(WaitForSource(SOURCE_REMOVED),
              (std::vector<SourceStatus>{{kind, NameOf(kind), SOURCE_OPENED},
                                         {kind, "(null)", SOURCE_REMOVED}}));
    EXPECT_EQ(t_->zTellOpenedType(), kind);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
}

TEST_P(EachDevice, TheIndexExportsReadTheDevicesIndexes) {
    const int kind = GetParam();
    const diskimage::Recording r = Add(kind, 50);
    OpenDevice(kind);
    InxHd time{}, event{};
    ASSERT_TRUE(t_->zTellTimeInxHd(&time));
    EXPECT_EQ(time.magic, kInxMagic);
    InxUnit first{};
    ASSERT_TRUE(t_->zTellTimeInxUnit(int(time.first), &first));
    EXPECT_EQ(first.time, r.live.front().time);
    EXPECT_EQ(first.offset, 0u);  // the oldest GOP starts the data
    ASSERT_TRUE(t_->zTellEvtInxHd(&event));
    EXPECT_EQ(int(event.last), r.eventCount);
    InxUnit firstEvent{};
    ASSERT_TRUE(t_->zTellEvtInxUnit(1, &firstEvent));
    EXPECT_EQ(firstEvent.time, r.live.front().time);
    QuickInxHd quick{};
    EXPECT_TRUE(t_->zTellQuickInxHd(&quick));
    QuickInxUnit record{};
    EXPECT_TRUE(t_->zTellQuickInxUnit(1, &record));
    EXPECT_FALSE(t_->zTellTimeInxHd(nullptr));
}

TEST_F(DeviceApiTest, WithNoRecorderAttachedADiskPlaysNothingAndARebuildFindsNoDisk) {
    ASSERT_TRUE(t_->zOpen(OPENED_DISK, "", "", 0, 0));  // detection runs, finds nothing
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_DISK);
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);  // reads find no open reader
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    ASSERT_TRUE(t_->zOpenRx("", "", 0, 0, 0, 0));
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_REBUILD);
    EXPECT_EQ(WaitForSource(SOURCE_DISK_NOT_FOUND),
              (std::vector<SourceStatus>{{5, "(null)", SOURCE_DISK_NOT_FOUND}}));
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_FAILED);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
}

TEST_F(DeviceApiTest, AFilePairHasATimeIndexButNoEventOrQuickIndex) {
    const std::string base = dir_.File("pair");
    recgen::RecordingPlan plan;
    plan.gopCount = 3;
    std::string error;
    ASSERT_TRUE(recgen::WriteRecording(plan, base + ".dvr", base + ".inx", &error)) << error;
    InxHd header{};
    EXPECT_FALSE(t_->zTellTimeInxHd(&header));  // nothing open
    ASSERT_TRUE(OpenPair(base));
    ASSERT_TRUE(t_->zTellTimeInxHd(&header));
    InxUnit unit{};
    ASSERT_TRUE(t_->zTellTimeInxUnit(1, &unit));
    EXPECT_EQ(unit.time, plan.startTime);
    EXPECT_FALSE(t_->zTellEvtInxHd(&header));
    EXPECT_FALSE(t_->zTellEvtInxUnit(1, &unit));
    QuickInxHd quick{};
    QuickInxUnit record{};
    EXPECT_FALSE(t_->zTellQuickInxHd(&quick));
    EXPECT_FALSE(t_->zTellQuickInxUnit(1, &record));
}

// The rebuild keeps the old index as ".bak", reports its progress and the
// end, and the disk then plays from the rebuilt index.
TEST_F(DeviceApiTest, RebuildReportsProgressThenDoneAndTheDiskOpensOnTheRebuiltIndex) {
    diskimage::HddImageOptions options = SmallDisk(3);  // each played for a second
    options.partition2Length = diskimage::kMiB;
    options.plan.payload = [](int) { return uint32_t(4 * kDeviceGopPayload); };
    options.plan.secondsPerGop = 30;
    const diskimage::Recording r = AddDisk(options);
    const std::string timeIndex = dir_.File("f/timeindex");
    const std::vector<uint8_t> old = FileBytes(timeIndex);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::create_directory(dir_.File("work"));
    std::filesystem::current_path(dir_.File("work"));
    ASSERT_TRUE(t_->zOpenRx("", "", 0, 0, 0, 0));
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_REBUILD);
    const std::vector<SourceStatus> reports = WaitForSource(SOURCE_REBUILD_DONE);
    std::filesystem::current_path(previous);
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.back(), (SourceStatus{5, "(null)", SOURCE_REBUILD_DONE}));
    EXPECT_EQ(reports[reports.size() - 2], (SourceStatus{5, "(null)", 10000}));
    for (size_t i = 0; i + 1 < reports.size(); ++i) {
        EXPECT_GE(reports[i].status, i == 0 ? 0 : reports[i - 1].status);
        EXPECT_LE(reports[i].status, 10000);
    }
    EXPECT_EQ(FileBytes(timeIndex + ".bak"), old);
    EXPECT_NE(FileBytes(timeIndex), old);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.File("work")))
        << "nothing left in the current folder";
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);

    ClearSources();
    OpenDevice(OPENED_DISK);
    InxHd header{};
    ASSERT_TRUE(t_->zTellTimeInxHd(&header));
    const auto minutes =
        std::count_if(r.live.begin(), r.live.end(),
                      [](const diskimage::PlacedGop& g) { return g.time % 60 == 0; });
    EXPECT_EQ(header.last - header.first + 1, uint32_t(minutes));
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    EXPECT_EQ(DataTimes(), LiveTimes(r));
}

// zRelease ends a running rebuild before it answers: its one end report is
// "broken off", the disk's index stays as it was, and the next zInit finds
// no source open.
TEST_F(DeviceApiTest, ReleaseDuringARebuildEndsItAndKeepsTheOldIndex) {
    diskimage::HddImageOptions options = SmallDisk(600);  // a scan of seconds
    options.plan.secondsPerGop = 30;
    AddDisk(options);
    const std::string timeIndex = dir_.File("f/timeindex");
    const std::vector<uint8_t> old = FileBytes(timeIndex);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::create_directory(dir_.File("work"));
    std::filesystem::current_path(dir_.File("work"));
    ASSERT_TRUE(t_->zOpenRx("", "", 0, 0, 0, 0));  // its thread runs
    ASSERT_TRUE(t_->zRelease());
    // Already there when the release answers: nothing is waited for.
    const std::vector<SourceStatus> reports = WaitForSource(SOURCE_REBUILD_STOPPED, 0);
    std::filesystem::current_path(previous);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), (SourceStatus{5, "(null)", SOURCE_REBUILD_STOPPED}));
    EXPECT_EQ(std::count_if(reports.begin(), reports.end(),
                            [](const SourceStatus& s) { return s.status < 0; }),
              1);
    EXPECT_EQ(FileBytes(timeIndex), old);
    EXPECT_FALSE(std::filesystem::exists(timeIndex + ".bak"));
    ASSERT_TRUE(Init());
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_NONE);
}

}  // namespace
