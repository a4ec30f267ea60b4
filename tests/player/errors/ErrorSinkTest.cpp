#include "player/errors/ErrorSink.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

#include "player/errors/DeferringLock.h"

#include "tests/player/errors/ErrorCapture.h"

namespace {

TEST(ErrorSink, ForwardsCodeSystemErrorAndValue) {
    ErrorCapture capture;
    ReportError(40013, 0, 2);
    ReportError(ERR_INDEX_OPEN_FAILED, 2);
    ReportError(ERR_FILE_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(capture.Take(),
              (std::vector<ReportedError>{{40013, 0, 2}, {40100, 2, 0}, {40051, 0, 0}}));
}

TEST(ErrorSink, WithoutSinkReportsAreDropped) {
    SetErrorSink(nullptr);
    ReportError(ERR_CLOSE_NO_SOURCE);  // must not crash
    ErrorCapture capture;
    EXPECT_TRUE(capture.Take().empty());
}

TEST(ErrorSink, CodesKeepTheirNumbers) {
    EXPECT_EQ(static_cast<int>(ERR_AUDIO_FORMAT_NOT_SET), 40001);
    EXPECT_EQ(static_cast<int>(ERR_DATA_FILE_CLOSE), 40020);
    EXPECT_EQ(static_cast<int>(ERR_SEEK_FAILED_PLAYING), 40044);
    EXPECT_EQ(static_cast<int>(ERR_FILE_SEEK_FAILED), 40052);
    EXPECT_EQ(static_cast<int>(ERR_CAPTURE_CHANNELS_UNKNOWN), 40057);
    EXPECT_EQ(static_cast<int>(ERR_INDEX_UNREADABLE), 40101);
}

TEST(ErrorSink, ReportsFromManyThreadsAllArrive) {
    ErrorCapture capture;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 100; ++i)
                ReportError(ERR_FILE_SEEK_NOT_OPEN);
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(capture.Take().size(), 400u);
}

// Reports raised while the thread holds a lock wait until the last lock is
// let go, then arrive in order; the mutex is free by then.
TEST(ErrorSink, AReportUnderALockArrivesOnceTheLastLockIsLetGo) {
    ErrorCapture capture;
    std::recursive_mutex mutex;
    {
        DeferringLock outer(mutex);
        ReportError(40013, 0, 1);
        {
            DeferringLock inner(mutex);
            ReportError(ERR_FILE_SEEK_FAILED);
        }
        outer.unlock();
        ReportError(ERR_CLOSE_NO_SOURCE);  // still inside the outer scope
        EXPECT_TRUE(capture.Take().empty());
    }
    EXPECT_EQ(capture.Take(),
              (std::vector<ReportedError>{{40013, 0, 1}, {40052, 0, 0}, {40017, 0, 0}}));
    ReportError(ERR_FILE_SEEK_NOT_OPEN);  // nothing held: at once
    EXPECT_EQ(capture.Take().size(), 1u);
}

// The sink itself may take the lock again and report.
std::recursive_mutex* g_sinkMutex = nullptr;
std::vector<int> g_sinkCodes;

void LockingSink(int code, DWORD, int) {
    g_sinkCodes.push_back(code);
    const bool free = g_sinkMutex->try_lock();
    EXPECT_TRUE(free) << "a report reached the sink with the lock held";
    if (free)
        g_sinkMutex->unlock();
    if (code == ERR_FILE_SEEK_FAILED) {
        DeferringLock again(*g_sinkMutex);
        ReportError(ERR_CLOSE_NO_SOURCE);
    }
}

TEST(ErrorSink, TheSinkMayTakeTheLockAndReportAgain) {
    std::recursive_mutex mutex;
    g_sinkMutex = &mutex;
    g_sinkCodes.clear();
    SetErrorSink(&LockingSink);
    std::thread([&] {
        DeferringLock lock(mutex);
        ReportError(ERR_FILE_SEEK_FAILED);
        ReportError(ERR_FILE_SEEK_NOT_OPEN);
    }).join();
    SetErrorSink(nullptr);
    EXPECT_EQ(g_sinkCodes, (std::vector<int>{ERR_FILE_SEEK_FAILED, ERR_CLOSE_NO_SOURCE,
                                             ERR_FILE_SEEK_NOT_OPEN}));
}

}  // namespace
