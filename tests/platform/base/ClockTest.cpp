#include "platform/base/FakeClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

TEST(FakeClock, SleepEndsOnlyWhenTheClockPassesItsDeadline) {
    ScopedFakeClock clock;
    std::atomic<bool> woke{false};
    std::thread sleeper([&] {
        Sleep(250);
        woke = true;
    });
    ASSERT_TRUE(clock->WaitForSleepers(1));
    clock->Advance(249);
    EXPECT_TRUE(clock->WaitForSleepers(1));  // still asleep after 249 ms
    EXPECT_FALSE(woke);
    clock->Advance(1);
    sleeper.join();
    EXPECT_TRUE(woke);
}

// A thread counts as pending until the clock reaches its deadline, whether
// or not it has left its wait yet; a wait without a deadline stays pending.
TEST(FakeClock, PendingSleepersAreThoseWhoseDeadlineIsAhead) {
    ScopedFakeClock clock;
    std::thread timed([] { Sleep(100); });
    std::mutex mutex;
    std::condition_variable cv;
    bool released = false;
    std::thread untimed([&] {
        std::unique_lock lock(mutex);
        CurrentClock().WaitUntil(lock, cv, DeadlineAfter(INFINITE), [&] { return released; });
    });
    ASSERT_TRUE(clock->WaitForSleepers(2));
    EXPECT_EQ(clock->PendingSleepers(), 2);
    clock->Advance(99);
    EXPECT_EQ(clock->PendingSleepers(), 2);
    clock->Advance(1);
    EXPECT_EQ(clock->PendingSleepers(), 1);
    timed.join();
    EXPECT_EQ(clock->PendingSleepers(), 1);
    {
        std::lock_guard lock(mutex);
        released = true;
        cv.notify_all();
    }
    untimed.join();
    EXPECT_EQ(clock->PendingSleepers(), 0);
}

TEST(FakeClock, TimeGetTimeFollowsTheClock) {
    ScopedFakeClock clock(5000);
    EXPECT_EQ(timeGetTime(), 5000u);
    clock->Advance(500);
    EXPECT_EQ(timeGetTime(), 5500u);
}

TEST(FakeClock, CalendarTimeMovesWithTheClock) {
    ScopedFakeClock clock(5000);
    clock->SetUnixTime(1000000000);
    EXPECT_EQ(CurrentUnixTime(), 1000000000);
    clock->Advance(999);
    EXPECT_EQ(CurrentUnixTime(), 1000000000);
    clock->Advance(1);
    EXPECT_EQ(CurrentUnixTime(), 1000000001);
    clock->SetUnixTime(86399);
    clock->Advance(1000);
    EXPECT_EQ(CurrentUnixTime(), 86400);
}

// Compared with the system's real-time clock itself: time() reads a coarse
// copy of it that can lag a tick behind at a second's turn.
TEST(SystemClock, CalendarTimeIsTheSystems) {
    const auto unixNow = [] {
        using namespace std::chrono;
        return int64_t(duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
    };
    const int64_t before = unixNow();
    const int64_t now = CurrentUnixTime();
    EXPECT_GE(now, before);
    EXPECT_LE(now, unixNow());
}

TEST(FakeClock, WaitEndsWhenItsConditionIsMetBeforeTheDeadline) {
    ScopedFakeClock clock;
    std::mutex mutex;
    std::condition_variable cv;
    bool flag = false;
    std::thread setter([&] {
        ASSERT_TRUE(clock->WaitForSleepers(1));
        std::lock_guard lock(mutex);
        flag = true;
        cv.notify_all();
    });
    std::unique_lock lock(mutex);
    EXPECT_TRUE(CurrentClock().WaitUntil(lock, cv, DeadlineAfter(INFINITE), [&] { return flag; }));
    lock.unlock();
    setter.join();
    EXPECT_EQ(clock->Sleepers(), 0);
}

TEST(SystemClock, ZeroTimeoutWaitReturnsAtOnce) {
    std::mutex mutex;
    std::condition_variable cv;
    std::unique_lock lock(mutex);
    EXPECT_FALSE(CurrentClock().WaitUntil(lock, cv, DeadlineAfter(0), [] { return false; }));
}

}  // namespace
