#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/player/storage/ExtractLog.h"
#include "tests/player/storage/StorageFixture.h"

namespace {

class SourceManagerExtractTest : public StorageFixture {
protected:
    void SetUp() override {
        placements_ = WritePair(5);
        OpenPair();
    }
    int Start(ExtractLog& log, int fromGop, int toGop) {
        return manager_.StartExtract(placements_[size_t(fromGop)].offset,
                                     placements_[size_t(toGop)].offset, log.Sink());
    }
    std::vector<recgen::GopPlacement> placements_;
};

TEST_F(SourceManagerExtractTest, SendsTheGopsThenTheIndexThenFinished) {
    ExtractLog log;
    ASSERT_EQ(Start(log, 1, 4), 0);
    EXPECT_EQ(log.WaitForEnd(), (std::vector<int>{1, 1, 1, 0, 0, 0, 0, 0, 2}));
    EXPECT_EQ(log.GopBytes(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(SourceManagerExtractTest, AStopEndsItBeforeTheNextGopWithStopped) {
    ExtractLog log;
    log.StopAfterFirstGop(&manager_);
    ASSERT_EQ(Start(log, 0, 5), 0);
    // One GOP, the index records of the whole range, and the stop code.
    EXPECT_EQ(log.WaitForEnd(), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 3}));
}

TEST_F(SourceManagerExtractTest, ARangeNotOnIndexEntriesEndsWithRangeFailed) {
    ExtractLog log;
    ASSERT_EQ(manager_.StartExtract(placements_[1].offset + 512, placements_[3].offset, log.Sink()),
              0);
    EXPECT_EQ(log.WaitForEnd(), std::vector<int>{-3});
}

TEST_F(SourceManagerExtractTest, ClosingTheSourceDoesNotDisturbARunningExtraction) {
    ExtractLog log;
    ASSERT_EQ(Start(log, 0, 5), 0);
    ASSERT_EQ(manager_.Close(), 0);
    const std::vector<int> codes = log.WaitForEnd();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), 2);
    EXPECT_EQ(log.GopBytes().size(), 5u);
}

TEST_F(SourceManagerExtractTest, RefusedWithoutCallbackWhileRunningAndWithNoSource) {
    EXPECT_EQ(manager_.StartExtract(0, 1, nullptr), -1);
    // The first extraction holds its first GOP until the test lets it go.
    std::mutex gate;
    std::unique_lock held(gate);
    std::atomic<bool> inSink{false};
    ExtractLog first;
    ExtractCallback sink = first.Sink();
    ASSERT_EQ(manager_.StartExtract(placements_[0].offset, placements_[5].offset,
                                    [&, sink](int code, int percent, const void* data, int length) {
                                        inSink = true;
                                        std::lock_guard wait(gate);
                                        sink(code, percent, data, length);
                                    }),
              0);
    while (!inSink)
        std::this_thread::yield();
    EXPECT_TRUE(manager_.IsExtracting());
    ExtractLog second;
    EXPECT_EQ(Start(second, 0, 1), -1);  // one extraction at a time
    held.unlock();
    EXPECT_EQ(first.WaitForEnd().back(), 2);
    for (int i = 0; i < 5000 && manager_.IsExtracting(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ExtractLog third;
    ASSERT_EQ(Start(third, 0, 1), 0);
    EXPECT_EQ(third.WaitForEnd().back(), 2);
    ASSERT_EQ(manager_.Close(), 0);
    ExtractLog none;
    EXPECT_EQ(manager_.StartExtract(0, 1, none.Sink()), -1);
}

// A manager destroyed while its extraction is held in the callback asks it to
// stop and waits its bound; let go, the extraction ends on its own reader
// with the stop code, using nothing of the manager that is gone.
TEST_F(SourceManagerExtractTest, AnExtractionThatOutlivesItsManagerEndsOnItsOwn) {
    auto manager = std::make_unique<CSourceManager>();
    ASSERT_EQ(manager->Open(OPENED_FILE_PAIR, Dvr().c_str(), Inx().c_str()), 0);
    std::mutex gate;
    std::unique_lock held(gate);
    std::promise<void> entered;
    std::atomic<bool> first{true};
    ExtractLog log;
    ExtractCallback sink = log.Sink();
    ASSERT_EQ(manager->StartExtract(placements_[0].offset, placements_[5].offset,
                                    [&, sink](int code, int percent, const void* data, int length) {
                                        if (first.exchange(false))
                                            entered.set_value();
                                        std::lock_guard wait(gate);
                                        sink(code, percent, data, length);
                                    }),
              0);
    ASSERT_EQ(entered.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    manager.reset();
    held.unlock();
    const std::vector<int> codes = log.WaitForEnd();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), 1);
    EXPECT_EQ(codes.back(), 3);
}

}  // namespace
