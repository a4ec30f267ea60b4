// The connection retries on the fake clock: a test at once, another every
// 60 seconds, none after Finish, and a stop that is bounded even while a
// test hangs.
#include "app/ui/map/MapRetryThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/base/FakeClock.h"

namespace {

// What the thread reported, with a bounded wait (in real time) for more.
class Reports {
public:
    void Add(bool connected) {
        std::lock_guard lock(m_mutex);
        m_seen.push_back(connected);
        m_cv.notify_all();
    }
    bool WaitFor(size_t count) {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::seconds(5), [&] { return m_seen.size() >= count; });
    }
    std::vector<bool> Seen() {
        std::lock_guard lock(m_mutex);
        return m_seen;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<bool> m_seen;
};

TEST(MapRetryThread, TestsAtOnceThenEverySixtySecondsUntilFinished) {
    ScopedFakeClock clock;
    Reports reports;
    std::atomic<int> tests{0};
    MapRetryThread thread;
    ASSERT_TRUE(thread.Start([&] { return ++tests == 3; }, [&](bool c) { reports.Add(c); }));
    EXPECT_FALSE(thread.Start([] { return true; }, [](bool) {})) << "one thread at a time";
    ASSERT_TRUE(reports.WaitFor(1));
    ASSERT_TRUE(clock->WaitForSleepers(1));
    const uint64_t retry = clock->NowMs() + MapRetryThread::kRetryMs;
    EXPECT_EQ(clock->NextDeadline(), retry) << "the next test 60 seconds on";
    clock->Advance(MapRetryThread::kRetryMs - 1);
    // Still inside the same sleep: a thread that had woken would have tested
    // again and slept towards a later deadline.
    EXPECT_EQ(clock->PendingSleepers(), 1);
    EXPECT_EQ(clock->NextDeadline(), retry);
    EXPECT_EQ(tests.load(), 1) << "no second test before 60 seconds";
    clock->Advance(1);
    ASSERT_TRUE(reports.WaitFor(2));
    ASSERT_TRUE(clock->WaitForSleepers(1));
    clock->Advance(MapRetryThread::kRetryMs);
    ASSERT_TRUE(reports.WaitFor(3));
    EXPECT_EQ(reports.Seen(), (std::vector<bool>{false, false, true}));

    thread.Finish();
    EXPECT_TRUE(thread.Stop(MapRetryThread::kStopWaitMs)) << "a finished thread ends at once";
    EXPECT_EQ(tests.load(), 3);
    EXPECT_FALSE(thread.IsRunning());
}

TEST(MapRetryThread, StopIsBoundedWhileATestHangs) {
    ScopedFakeClock clock;
    // Shared with the abandoned thread, which may still be leaving the test
    // (unlocking the gate) after this case has returned.
    struct Shared {
        std::mutex gate;
        std::atomic<bool> reported{false};
        std::atomic<bool> inTest{false};
    };
    const auto shared = std::make_shared<Shared>();
    shared->gate.lock();  // the test blocks until the end of this case
    {
        MapRetryThread thread;
        ASSERT_TRUE(thread.Start(
            [shared] {
                shared->inTest = true;
                std::lock_guard wait(shared->gate);
                return true;
            },
            [shared](bool) { shared->reported = true; }));
        while (!shared->inTest)
            std::this_thread::yield();
        std::thread advancer([&] {
            if (clock->WaitForSleepers(1))
                clock->Advance(MapRetryThread::kStopWaitMs);
        });
        EXPECT_FALSE(thread.Stop(MapRetryThread::kStopWaitMs)) << "gave up after the bound";
        advancer.join();
        EXPECT_FALSE(thread.IsRunning()) << "nothing is left to wait for";
    }
    shared->gate.unlock();  // the abandoned test returns after its thread's owner is gone
    // The thread's routine holds the last other reference to the shared
    // record until it has returned.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (shared.use_count() > 1 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(shared.use_count(), 1) << "the abandoned thread ended";
    EXPECT_FALSE(shared->reported.load()) << "a stopped thread reports nothing";
}

}  // namespace
