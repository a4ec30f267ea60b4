#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/base/FakeClock.h"
#include "platform/base/Thread.h"
#include "tests/player/storage/StorageFixture.h"

namespace {

using SourceManagerDeviceTest = StorageFixture;

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

TEST_F(SourceManagerDeviceTest, ADiskNotAttachedIsLookedForEvery250Ms) {
    ScopedFakeClock clock;
    ASSERT_EQ(manager_.Open(OPENED_DISK, "", ""), 0);
    EXPECT_EQ(manager_.TellType(), OPENED_DISK);
    ASSERT_TRUE(Eventually([&] { return devices_.detections == 1 && clock->Sleepers() == 1; }));
    clock->Advance(249);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_EQ(devices_.detections, 1);
    clock->Advance(1);
    ASSERT_TRUE(Eventually([&] { return devices_.detections == 2; }));
    // Meanwhile the source answers as a reader that is not open.
    std::vector<uint8_t> buffer(kGopBufferSize);
    int length = kGopBufferSize;
    EXPECT_EQ(manager_.ReadGop(buffer.data(), &length), GopReadResult::NotOpen);
    EXPECT_EQ(manager_.Seek(0), -1);
    EXPECT_EQ(errors_.TakeCodes(), std::vector<int>{ERR_DISK_SEEK_FAILED});
    EXPECT_EQ(manager_.Close(), 0);  // wakes the poll at once: no clock needed
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    EXPECT_TRUE(reports_.WaitFor(1, 50).empty());  // closed before found: no report
}

TEST_F(SourceManagerDeviceTest, ADetectedCardIsOpenedReportedAndWatchedUntilRemoved) {
    ScopedFakeClock clock;
    devices_.attached = true;
    ASSERT_EQ(manager_.Open(OPENED_CARD, "", ""), 0);
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{2, "/dev/recorder", 1}}));
    ASSERT_TRUE(clock->WaitForSleepers(1));  // the watch, between two looks
    devices_.attached = false;
    clock->Advance(250);
    EXPECT_EQ(reports_.WaitFor(2),
              (std::vector<SourceReport>{{2, "/dev/recorder", 1}, {2, "(null)", 2}}));
    EXPECT_EQ(manager_.TellType(), OPENED_CARD);  // the host closes it
    EXPECT_EQ(manager_.Close(), 0);
    EXPECT_EQ(devices_.closes, 1);
}

TEST_F(SourceManagerDeviceTest, ADiskThatFailsToOpenIsReportedAndKeepsItsType) {
    devices_.attached = true;
    devices_.openSucceeds = false;
    ASSERT_EQ(manager_.Open(OPENED_DISK, "", ""), 0);
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{1, "/dev/recorder", 0}}));
    EXPECT_EQ(manager_.TellType(), OPENED_DISK);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_F(SourceManagerDeviceTest, AThreadThatCannotStartLeavesNothingOpen) {
    FailNextThreadStarts(1);
    EXPECT_EQ(manager_.Open(OPENED_DISK, "", ""), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    FailNextThreadStarts(1);
    EXPECT_EQ(manager_.Open(OPENED_REBUILD, "", ""), -1);
    EXPECT_EQ(manager_.TellType(), OPENED_NONE);
    EXPECT_EQ(manager_.Open(OPENED_DISK, "", ""), 0);
    EXPECT_EQ(manager_.Close(), 0);
}

TEST_F(SourceManagerDeviceTest, AWatchThatCannotStartClosesTheDeviceAgain) {
    ASSERT_EQ(manager_.Open(OPENED_DISK, "", ""), 0);
    ASSERT_TRUE(Eventually([&] { return devices_.detections >= 1; }));
    FailNextThreadStarts(1);  // the watch, started once the disk is found
    devices_.attached = true;
    EXPECT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{1, "/dev/recorder", 0}}));
    EXPECT_EQ(devices_.opens, 1);
    EXPECT_EQ(devices_.closes, 1);
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

// The rebuild writes into the current directory and copies the result over
// the disk's index only when it reported its end; the old index is kept as
// ".bak" either way.
TEST_F(SourceManagerDeviceTest, ARebuildReplacesTheDisksIndexOnlyWhenItEnds) {
    for (const bool ends : {true, false}) {
        SCOPED_TRACE(ends ? "ends" : "does not end");
        const std::filesystem::path work = dir_.File(ends ? "ends" : "fails");
        std::filesystem::create_directory(work);
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(work);
        devices_.timeIndex = dir_.File("timeindex");
        std::ofstream(devices_.timeIndex, std::ios::binary) << "original";
        devices_.attached = true;
        devices_.rebuilt = false;
        devices_.rebuildEnds = ends;
        ASSERT_EQ(manager_.Open(OPENED_REBUILD, "", ""), 0);
        ASSERT_TRUE(Eventually([&] { return devices_.rebuilt.load(); }));
        EXPECT_EQ(manager_.Close(), 0);  // waits for the thread
        std::filesystem::current_path(previous);
        const auto text = [](const std::string& path) {
            const std::vector<uint8_t> bytes = ReadWholeFile(path);
            return std::string(bytes.begin(), bytes.end());
        };
        EXPECT_EQ(text(devices_.timeIndex + ".bak"), "original");
        EXPECT_EQ(text(devices_.timeIndex), ends ? "rebuilt" : "original");
        EXPECT_EQ(text((work / "timeindex").string()), "rebuilt");
    }
}

}  // namespace
