// Test fixture of the disk and card readers: a temporary directory holding
// the images and the drive table that the disk layer reads ($DVR_DRIVE_TABLE),
// captured error reports and a GOP buffer. The machine has a fixed drive C
// (a plain disk 0 without recorder files) and a removable drive D without
// them; tests add the recorder's disk or card.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "format/FrameHeader.h"
#include "platform/disk/DriveTableFile.h"
#include "player/source/GopReadResult.h"
#include "tests/player/errors/ErrorCapture.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/diskimage/HddImage.h"
#include "tools/diskimage/Mbr.h"
#include "tools/diskimage/SdImage.h"

inline constexpr DWORD kRecorderDisk = 3;

class DiskFixture : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_.File("c"));
        std::filesystem::create_directories(dir_.File("d"));
        diskimage::SparseImage plain(dir_.File("plain.img"), 4 * diskimage::kMiB);
        plain.Write(0, diskimage::EncodeMbr({{diskimage::kMiB, 3 * diskimage::kMiB}}));
        table_.logical = {{'C', DriveKind::Fixed, dir_.File("c"), dir_.File("c"), 0},
                          {'D', DriveKind::Removable, dir_.File("d"), dir_.File("d"), 1}};
        table_.physical = {{0, dir_.File("plain.img"), true}, {1, dir_.File("plain.img"), true}};
        WriteTable();
        setenv(kDriveTableVariable, dir_.File("table").c_str(), 1);
    }
    void TearDown() override { unsetenv(kDriveTableVariable); }

    void WriteTable() { ASSERT_TRUE(WriteDriveTableFile(dir_.File("table"), table_)); }

    // The recorder's disk as physical drive 3, its first partition as drive F.
    diskimage::Recording AddDisk(diskimage::HddImageOptions options) {
        options.imagePath = dir_.File("hdd.img");
        options.indexDir = dir_.File("f");
        const diskimage::Recording recording = diskimage::WriteHddImage(options);
        RemoveDrives('F', kRecorderDisk);
        table_.logical.push_back(
            {'F', DriveKind::Removable, options.indexDir, options.indexDir, kRecorderDisk});
        table_.physical.push_back({kRecorderDisk, options.imagePath, true});
        WriteTable();
        return recording;
    }

    // The card as physical drive `number`, without a drive letter.
    diskimage::Recording AddCard(diskimage::SdImageOptions options, DWORD number = 5) {
        options.imagePath = dir_.File("card.img");
        const diskimage::Recording recording = diskimage::WriteSdImage(options);
        RemoveDrives(0, number);
        table_.physical.push_back({number, options.imagePath, true});
        WriteTable();
        return recording;
    }

    void RemoveDrives(char letter, DWORD number) {
        std::erase_if(table_.logical, [&](const LogicalDrive& d) { return d.letter == letter; });
        std::erase_if(table_.physical, [&](const PhysicalDrive& d) { return d.number == number; });
    }

    void SetPresent(DWORD number, bool present) {
        for (PhysicalDrive& drive : table_.physical) {
            if (drive.number == number)
                drive.present = present;
        }
        WriteTable();
    }

    // Reads with `read` until it stops giving GOPs; the times of the GOPs read.
    template <typename Read>
    std::vector<uint32_t> TimesOf(Read read, GopReadResult* last = nullptr) {
        std::vector<uint32_t> times;
        for (;;) {
            int length = kGopBufferSize;
            const GopReadResult result = read(buffer_.get(), &length);
            if (result != GopReadResult::Read) {
                if (last != nullptr)
                    *last = result;
                return times;
            }
            EXPECT_EQ(length % 512, 0);
            times.push_back(ReadFrameHeader(buffer_.get()).time);
        }
    }

    // Reads with `read` until it ends, passing the GOPs it reports unreadable
    // (counted in `failures`); the times of the GOPs read. A walk that has
    // not ended after `maxCalls` reads fails the test.
    template <typename Read>
    std::vector<uint32_t> PlayedTimes(Read read, int* failures, GopReadResult* last = nullptr,
                                      int maxCalls = 100000) {
        std::vector<uint32_t> times;
        *failures = 0;
        for (int calls = 0; calls < maxCalls; ++calls) {
            int length = kGopBufferSize;
            const GopReadResult result = read(buffer_.get(), &length);
            if (result == GopReadResult::Failed) {
                ++*failures;
                continue;
            }
            if (result != GopReadResult::Read) {
                if (last != nullptr)
                    *last = result;
                return times;
            }
            times.push_back(ReadFrameHeader(buffer_.get()).time);
        }
        ADD_FAILURE() << "the walk did not end";
        return times;
    }

    static std::vector<uint32_t> LiveTimes(const diskimage::Recording& recording) {
        std::vector<uint32_t> times;
        for (const diskimage::PlacedGop& g : recording.live)
            times.push_back(g.time);
        return times;
    }

    // The live GOPs from the oldest one with a time-index entry on: what a
    // reader of a ring indexed once a minute plays.
    static std::vector<uint32_t> IndexedLiveTimes(const diskimage::Recording& recording) {
        std::vector<uint32_t> times;
        for (const diskimage::PlacedGop& g : recording.live)
            if (!times.empty() || g.entry != 0)
                times.push_back(g.time);
        return times;
    }

    // True when GOPs written after the newest entry overwrote an indexed GOP
    // of the older lap: the case where the newest entry alone misleads.
    static bool NewestGopsOverwroteAMinute(const diskimage::Recording& recording) {
        const auto& written = recording.written;
        const auto newest =
            std::find_if(written.rbegin(), written.rend(),
                         [](const diskimage::PlacedGop& g) { return g.entry != 0; });
        if (newest == written.rend())
            return false;
        const uint64_t end = written.back().raw + written.back().size;
        return std::any_of(written.begin(), newest.base() - 1, [&](const diskimage::PlacedGop& g) {
            return g.entry != 0 && newest->raw < g.raw && g.raw < end;
        });
    }

    TempDir dir_;
    DriveTable table_;
    ErrorCapture errors_;
    std::unique_ptr<uint8_t[]> buffer_ = std::make_unique<uint8_t[]>(kGopBufferSize);
};

// `times` without `left`.
inline std::vector<uint32_t> TimesWithout(std::vector<uint32_t> times, uint32_t left) {
    std::erase(times, left);
    return times;
}

// Bytes this process has read through read system calls so far: what a
// reader scanned, whatever it read through.
inline uint64_t BytesReadByProcess() {
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    ADD_FAILURE() << "no rchar in /proc/self/io";
    return 0;
}

// Equal sequences of GOP times; on a mismatch, says where (gtest prints only
// the first 32 elements of a vector).
inline testing::AssertionResult SameTimes(const std::vector<uint32_t>& actual,
                                          const std::vector<uint32_t>& expected) {
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i])
            return testing::AssertionFailure()
                   << "GOP " << i << ": " << actual[i] << " instead of " << expected[i];
    }
    if (actual.size() != expected.size())
        return testing::AssertionFailure()
               << actual.size() << " GOPs instead of " << expected.size();
    return testing::AssertionSuccess();
}

// Forward and backward readers of any ring source for DiskFixture::TimesOf.
template <typename Source>
auto Forward(Source& source) {
    return [&source](uint8_t* b, int* n) { return source.ReadGop(b, n); };
}
template <typename Source>
auto Backward(Source& source) {
    return [&source](uint8_t* b, int* n) { return source.ReadGopBack(b, n); };
}
