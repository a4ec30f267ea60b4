// Test fixture of the source manager: a temporary directory with one pair
// r.dvr / r.inx of small GOPs numbered by their time, the error reports and
// the source callback's reports captured, and a manager over scripted devices.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "player/storage/SourceManager.h"
#include "tests/player/errors/ErrorCapture.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

inline constexpr uint32_t kFirstTime = 5000;

// A device layer whose answers the test sets; it counts the detections.
class ScriptedDevices final : public CRecorderDevices {
public:
    bool Detect(int, CDataSource* paths) override {
        ++detections;
        if (!attached)
            return false;
        StorePath(paths->DataFile, "/dev/recorder");
        StorePath(paths->TimeIndexFile, timeIndex.c_str());
        return true;
    }
    bool Open(int, const CDataSource&) override {
        ++opens;
        return openSucceeds.load();
    }
    bool IsPresent(int) override { return attached.load(); }
    void Close(int) override { ++closes; }
    // Writes "rebuilt" into the target and answers `rebuildEnds`.
    bool RebuildTimeIndex(const CDataSource&, const char* target, zSourceCallback) override {
        std::ofstream(target, std::ios::binary) << "rebuilt";
        rebuilt = true;
        return rebuildEnds.load();
    }

    std::string timeIndex;  // the disk's time index file that Detect names
    std::atomic<bool> attached{false};
    std::atomic<bool> rebuildEnds{true};
    std::atomic<bool> rebuilt{false};
    std::atomic<bool> openSucceeds{true};
    std::atomic<int> detections{0};
    std::atomic<int> opens{0};
    std::atomic<int> closes{0};
};

struct SourceReport {
    int kind;
    std::string name;  // "(null)" for a null name
    int status;
    bool operator==(const SourceReport&) const = default;
};

// The source callback is a plain function: reports go to one global list.
class SourceReports {
public:
    SourceReports() { Clear(); }
    static void Collect(int kind, const char* name, int status) {
        std::lock_guard lock(Mutex());
        List().push_back({kind, name != nullptr ? name : "(null)", status});
        Cv().notify_all();
    }
    // Waits (real time, bounded) for `count` reports.
    std::vector<SourceReport> WaitFor(size_t count, int timeoutMs = 5000) {
        std::unique_lock lock(Mutex());
        Cv().wait_for(lock, std::chrono::milliseconds(timeoutMs),
                      [&] { return List().size() >= count; });
        return List();
    }
    void Clear() {
        std::lock_guard lock(Mutex());
        List().clear();
    }

private:
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static std::condition_variable& Cv() {
        static std::condition_variable cv;
        return cv;
    }
    static std::vector<SourceReport>& List() {
        static std::vector<SourceReport> list;  // guarded by Mutex()
        return list;
    }
};

class StorageFixture : public testing::Test {
protected:
    StorageFixture() { manager_.SetSourceCallback(&SourceReports::Collect); }

    std::string Dvr() const { return dir_.File("r.dvr"); }
    std::string Inx() const { return dir_.File("r.inx"); }

    // `count` GOPs of about 2000 bytes, GOP i with time kFirstTime + i.
    std::vector<recgen::GopPlacement> WritePair(int count, uint32_t sampleRateCode = 1) {
        auto writer = recgen::PairWriter::Create(Dvr(), Inx());
        EXPECT_NE(writer, nullptr);
        for (int i = 0; i < count; ++i) {
            recgen::GopBuilder builder(
                {.time = kFirstTime + uint32_t(i), .sampleRateCode = sampleRateCode});
            recgen::GopFrame frame;
            frame.data.assign(1960, uint8_t(i));
            builder.AddFrame(std::move(frame));
            EXPECT_TRUE(writer->AddGop(builder.Build()));
        }
        std::vector<recgen::GopPlacement> placements = writer->Placements();
        EXPECT_TRUE(writer->Finish());
        placements.push_back({writer->DataLength(), 0, 0});  // the end mark
        return placements;
    }

    void OpenPair() { ASSERT_EQ(manager_.Open(OPENED_FILE_PAIR, Dvr().c_str(), Inx().c_str()), 0); }

    TempDir dir_;
    ErrorCapture errors_;
    SourceReports reports_;
    ScriptedDevices devices_;
    CSourceManager manager_{devices_};
};
