// The index rebuild (source type 5) through the source manager: its one end
// report, the old index kept whenever it does not end in place, a break by
// Close, and one rebuild at a time.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/FakeClock.h"
#include "tests/player/disk/InstantClock.h"
#include "tests/player/disk/NoWriteOverride.h"
#include "tests/player/storage/DeviceManagerFixture.h"

namespace {

// The rebuild writes nothing into the current folder and keeps its work in
// the temporary folder ($TMPDIR), which it leaves empty.
class RebuildTest : public SourceManagerDeviceTest {
protected:
    void SetUp() override {
        SourceManagerDeviceTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::create_directory(dir_.File("work"));
        std::filesystem::create_directory(dir_.File("tmp"));
        std::filesystem::current_path(dir_.File("work"));
        const char* tmp = getenv("TMPDIR");
        previousTmp_ = tmp != nullptr ? tmp : "";
        setenv("TMPDIR", dir_.File("tmp").c_str(), 1);
        SetCurrentClock(&clock_);  // the rebuild's pauses cost nothing
    }
    void TearDown() override {
        SetCurrentClock(nullptr);
        if (previousTmp_.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", previousTmp_.c_str(), 1);
        std::filesystem::current_path(previous_);
        SourceManagerDeviceTest::TearDown();
    }
    std::string TimeIndex() const { return dir_.File("f/timeindex"); }
    bool LeftNothingBehind() const {
        return std::filesystem::is_empty(dir_.File("tmp")) &&
               std::filesystem::is_empty(dir_.File("work"));
    }
    // The end statuses among `reports` (every report is the rebuild's).
    static std::vector<int> Ends(const std::vector<SourceReport>& reports) {
        std::vector<int> ends;
        for (const SourceReport& r : reports) {
            EXPECT_EQ(r.kind, 5);
            EXPECT_EQ(r.name, "(null)");
            if (r.status < 0)
                ends.push_back(r.status);
        }
        return ends;
    }

    std::filesystem::path previous_;
    std::string previousTmp_;
    InstantClock clock_;
};

TEST_F(RebuildTest, ReportsProgressToTenThousandThenDoneOnceAndTheDiskOpensOnTheNewIndex) {
    diskimage::HddImageOptions options = SmallDisk(12);
    options.partition2Length = diskimage::kMiB;  // scanned in a few steps
    options.plan.secondsPerGop = 30;             // a new minute every other GOP
    const diskimage::Recording r = AddDisk(options);
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    ASSERT_EQ(manager_.Open(OPENED_REBUILD_REQUEST, "", ""), 0);
    const std::vector<SourceReport> reports = reports_.WaitForStatus(SOURCE_REBUILD_DONE);
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(Ends(reports), std::vector<int>{SOURCE_REBUILD_DONE});
    EXPECT_EQ(reports.back().status, SOURCE_REBUILD_DONE);
    EXPECT_EQ(reports[reports.size() - 2].status, 10000);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end() - 1,
                               [](auto& a, auto& b) { return a.status < b.status; }));
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(FileBytes(TimeIndex() + ".bak"), old);
    EXPECT_NE(FileBytes(TimeIndex()), old);
    EXPECT_TRUE(LeftNothingBehind());

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

TEST_F(RebuildTest, ARebuildThatCannotFinishEndsWithOneFailureAndKeepsTheOldIndex) {
    struct Case {
        const char* name;
        uint32_t startOffset;  // added to the plan's first time
        std::function<void()> spoil;
        std::function<void()> mend;
    };
    const auto nothing = [] {};
    const Case cases[] = {
        {"no GOP on a whole minute", 1, nothing, nothing},
        {"the index folder is read-only", 0, [this] { chmod(dir_.File("f").c_str(), 0555); },
         [this] { chmod(dir_.File("f").c_str(), 0755); }},
        {"timeindex.bak is a folder", 0,
         [this] { std::filesystem::create_directory(TimeIndex() + ".bak"); },
         [this] { std::filesystem::remove(TimeIndex() + ".bak"); }},
        {"no temporary folder", 0, [this] { setenv("TMPDIR", dir_.File("missing").c_str(), 1); },
         [this] { setenv("TMPDIR", dir_.File("tmp").c_str(), 1); }},
    };
    const NoWriteOverride permissionsHold;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports_.Clear();
        diskimage::HddImageOptions options = SmallDisk(10);
        options.partition2Length = diskimage::kMiB;
        options.plan.startTime += c.startOffset;
        AddDisk(options);
        const std::vector<uint8_t> old = FileBytes(TimeIndex());
        c.spoil();
        ASSERT_EQ(manager_.Open(OPENED_REBUILD, "", ""), 0);
        const std::vector<SourceReport> reports = reports_.WaitForStatus(SOURCE_REBUILD_FAILED);
        EXPECT_EQ(Ends(reports), std::vector<int>{SOURCE_REBUILD_FAILED});
        EXPECT_EQ(manager_.Close(), 0);
        c.mend();
        EXPECT_EQ(FileBytes(TimeIndex()), old);
        EXPECT_FALSE(std::filesystem::is_regular_file(TimeIndex() + ".new"));
        EXPECT_TRUE(LeftNothingBehind());
    }
}

// The scan pauses 1 ms per sector on the fake clock: the break arrives in
// the first pause, and the scan reads no further sector.
TEST_F(RebuildTest, ABreakDuringTheScanStopsItBeforeItsNextSector) {
    AddDisk(SmallDisk(12));
    const std::vector<uint8_t> old = FileBytes(TimeIndex());
    FakeClock clock(1000);
    SetCurrentClock(&clock);
    ASSERT_EQ(manager_.Open(OPENED_REBUILD, "", ""), 0);
    ASSERT_TRUE(clock.WaitForSleepers(1));
    auto closing = std::async(std::launch::async, [this] { return manager_.Close(); });
    ASSERT_TRUE(clock.WaitForSleepers(2));  // Close waits for the rebuild thread
    clock.Advance(1);
    ASSERT_EQ(closing.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(closing.get(), 0);
    SetCurrentClock(&clock_);
    const std::vector<SourceReport> reports = reports_.WaitForStatus(SOURCE_REBUILD_STOPPED);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_GE(reports[0].status, 0);
    EXPECT_EQ(reports[1].status, SOURCE_REBUILD_STOPPED);
    EXPECT_EQ(FileBytes(TimeIndex()), old);
    EXPECT_FALSE(std::filesystem::exists(TimeIndex() + ".bak"));
    EXPECT_TRUE(LeftNothingBehind());
}

// A source callback that holds the rebuild thread in its first progress
// report until the test lets it go (bounded in real time).
struct Gate {
    std::mutex mutex;
    std::condition_variable cv;
    bool open = true;
};
Gate g_gate;

void GatedCollect(int kind, const char* name, int status) {
    SourceReports::Collect(kind, name, status);
    if (status < 0)
        return;
    std::unique_lock lock(g_gate.mutex);
    g_gate.cv.wait_for(lock, std::chrono::seconds(5), [] { return g_gate.open; });
}

void SetGate(bool open) {
    std::lock_guard lock(g_gate.mutex);
    g_gate.open = open;
    g_gate.cv.notify_all();
}

TEST_F(RebuildTest, ASecondRebuildIsRefusedWhileTheFirstStillRuns) {
    AddDisk(SmallDisk(12));
    manager_.SetSourceCallback(&GatedCollect);
    SetGate(false);
    ASSERT_EQ(manager_.Open(OPENED_REBUILD, "", ""), 0);
    ASSERT_EQ(reports_.WaitFor(1).size(), 1u);  // held in its first report
    EXPECT_EQ(manager_.Close(), 0);             // its wait ends before the thread does
    EXPECT_EQ(manager_.Open(OPENED_REBUILD, "", ""), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    std::vector<SourceReport> reports = reports_.WaitForStatus(SOURCE_REBUILD_BUSY);
    EXPECT_EQ(Ends(reports), std::vector<int>{SOURCE_REBUILD_BUSY});

    SetGate(true);
    reports = reports_.WaitForStatus(SOURCE_REBUILD_STOPPED);
    EXPECT_EQ(Ends(reports), (std::vector<int>{SOURCE_REBUILD_BUSY, SOURCE_REBUILD_STOPPED}));
    EXPECT_EQ(reports.size(), 3u) << "the break stopped it before its next sector";
    reports_.Clear();
    // Its end reported, the first no longer stands in the way.
    ASSERT_TRUE(Eventually([this] { return manager_.Open(OPENED_REBUILD, "", "") == 0; }));
    reports = reports_.WaitForStatus(SOURCE_REBUILD_DONE, 30000);
    std::vector<int> ends = Ends(reports);
    std::erase(ends, int(SOURCE_REBUILD_BUSY));
    EXPECT_EQ(ends, std::vector<int>{SOURCE_REBUILD_DONE});
    EXPECT_EQ(manager_.Close(), 0);
}

}  // namespace
