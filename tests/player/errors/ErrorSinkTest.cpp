#include "player/errors/ErrorSink.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

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

}  // namespace
