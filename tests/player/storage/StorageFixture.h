// Test fixture of the source manager: a temporary directory with one pair
// r.dvr / r.inx of small GOPs numbered by their time, the error reports and
// the source callback's reports captured, and a manager.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "player/storage/SourceManager.h"
#include "tests/player/errors/ErrorCapture.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

inline constexpr uint32_t kFirstTime = 5000;

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
    // Waits (real time, bounded) for a report of `status`; all reports.
    std::vector<SourceReport> WaitForStatus(int status, int timeoutMs = 10000) {
        std::unique_lock lock(Mutex());
        Cv().wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return std::any_of(List().begin(), List().end(),
                               [&](const SourceReport& r) { return r.status == status; });
        });
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
    CSourceManager manager_;
};
