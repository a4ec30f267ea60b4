#include "player/errors/ErrorSink.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/player/errors/ErrorCapture.h"

namespace {

TEST(ErrorSink, ForwardsCodeSystemErrorAndValue) {
    ErrorCapture capture;
    ReportError(40013, 0, 2);
    ReportError(ErrorCode::IndexOpenFailed, 2);
    ReportError(ErrorCode::FileSeekOutOfRange);
    EXPECT_EQ(capture.Take(),
              (std::vector<ReportedError>{{40013, 0, 2}, {40100, 2, 0}, {40051, 0, 0}}));
}

TEST(ErrorSink, WithoutSinkReportsAreDropped) {
    SetErrorSink(nullptr);
    ReportError(ErrorCode::CloseNoSource);  // must not crash
    ErrorCapture capture;
    EXPECT_TRUE(capture.Take().empty());
}

TEST(ErrorSink, CodesKeepTheirNumbers) {
    EXPECT_EQ(static_cast<int>(ErrorCode::AudioFormatNotSet), 40001);
    EXPECT_EQ(static_cast<int>(ErrorCode::DataFileCloseFailed), 40020);
    EXPECT_EQ(static_cast<int>(ErrorCode::SeekFailedPlaying), 40044);
    EXPECT_EQ(static_cast<int>(ErrorCode::FileSeekFailed), 40052);
    EXPECT_EQ(static_cast<int>(ErrorCode::CaptureChannelsUnknown), 40057);
    EXPECT_EQ(static_cast<int>(ErrorCode::IndexUnreadable), 40101);
}

TEST(ErrorSink, ReportsFromManyThreadsAllArrive) {
    ErrorCapture capture;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 100; ++i)
                ReportError(ErrorCode::FileSeekNotOpen);
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(capture.Take().size(), 400u);
}

}  // namespace
