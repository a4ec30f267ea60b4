#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/base/CriticalSection.h"
#include "platform/base/Event.h"
#include "platform/base/FakeClock.h"
#include "platform/base/LastError.h"
#include "platform/base/Thread.h"

namespace {

TEST(Event, ManualResetStaysSetUntilReset) {
    HANDLE event = CreateEvent(true, false);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ResetEvent(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(event));
}

TEST(Event, AutoResetLetsOneWaiterThroughPerSignal) {
    HANDLE event = CreateEvent(false, true);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST(Event, WaitTimesOutOnlyWhenTheFakeClockPassesTheTimeOut) {
    ScopedFakeClock clock;
    HANDLE event = CreateEvent(true, false);
    std::atomic<DWORD> result{WAIT_FAILED};
    std::thread waiter([&] { result = WaitForSingleObject(event, 500); });
    ASSERT_TRUE(clock->WaitForSleepers(1));
    clock->Advance(499);
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_EQ(result.load(), WAIT_FAILED);  // still waiting
    clock->Advance(1);
    waiter.join();
    EXPECT_EQ(result.load(), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST(Event, SetWakesAnInfiniteWait) {
    HANDLE event = CreateEvent(false, false);
    std::thread waiter([&] { EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0); });
    SetEvent(event);
    waiter.join();
    CloseHandle(event);
}

TEST(Event, StaleAndForeignHandlesFail) {
    HANDLE event = CreateEvent(true, true);
    CloseHandle(event);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_FALSE(SetEvent(event));
    HANDLE thread = CreateThread([] {});
    EXPECT_FALSE(SetEvent(thread));  // a thread is not an event
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    CloseHandle(thread);
}

TEST(Event, InjectedCreationFailuresReturnNullWithTheSystemError) {
    FailNextEventCreations(2, 1);
    HANDLE first = CreateEvent(true, false);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(CreateEvent(true, false), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ENOMEM));
    EXPECT_EQ(CreateEvent(false, true), nullptr);
    HANDLE event = CreateEvent(false, true);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    CloseHandle(event);
    CloseHandle(first);
}

TEST(Thread, HandleIsSignalledWhenTheRoutineReturns) {
    ScopedFakeClock clock;
    HANDLE release = CreateEvent(true, false);
    HANDLE thread = CreateThread([release] { WaitForSingleObject(release, INFINITE); });
    ASSERT_NE(thread, nullptr);
    std::atomic<DWORD> result{WAIT_FAILED};
    std::thread waiter([&] { result = WaitForSingleObject(thread, 500); });
    ASSERT_TRUE(clock->WaitForSleepers(2));  // the thread on `release`, the waiter on it
    clock->Advance(500);
    waiter.join();
    EXPECT_EQ(result.load(), WAIT_TIMEOUT);  // left running
    SetEvent(release);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
    CloseHandle(release);
}

TEST(Thread, ClosingTheHandleEarlyLeavesTheThreadRunning) {
    std::atomic<bool> ran{false};
    HANDLE go = CreateEvent(true, false);
    HANDLE done = CreateEvent(true, false);
    HANDLE thread = CreateThread([&, go, done] {
        WaitForSingleObject(go, INFINITE);
        ran = true;
        SetEvent(done);
    });
    CloseHandle(thread);
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(ran);
    CloseHandle(go);
    CloseHandle(done);
}

TEST(Thread, InjectedStartFailureReturnsNullWithTheSystemError) {
    FailNextThreadStarts(1);
    bool ran = false;
    EXPECT_EQ(CreateThread([&] { ran = true; }), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(EAGAIN));
    HANDLE thread = CreateThread([] {});
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_FALSE(ran);
}

// A held starter sees its thread's handle while the thread runs, and
// CreateThread returns only once the hold is over: here after the thread has
// ended. Only the armed start after the skipped one is held.
TEST(Thread, AHeldStarterReturnsOnlyOnceItsHoldIsOver) {
    std::vector<HANDLE> held;
    HoldNextThreadStarters(
        1,
        [&](HANDLE started) {
            held.push_back(started);
            EXPECT_EQ(WaitForSingleObject(started, 5000), WAIT_OBJECT_0);
        },
        1);
    std::atomic<bool> secondRan{false};
    HANDLE first = CreateThread([] {});
    HANDLE second = CreateThread([&] { secondRan = true; });
    HANDLE third = CreateThread([] {});
    ASSERT_EQ(held, (std::vector<HANDLE>{second}));
    EXPECT_TRUE(secondRan);  // ended before its starter went on
    for (HANDLE thread : {first, second, third}) {
        EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
        CloseHandle(thread);
    }
}

// A thread counts as blocked while it waits on an event not set; a wait on
// a set event passes without blocking.
TEST(Thread, AThreadIsBlockedWhileItWaitsOnAnEventNotSet) {
    HANDLE set = CreateEvent(true, true);
    HANDLE go = CreateEvent(false, false);
    std::atomic<bool> passedSet{false};
    HANDLE thread = CreateThread([&, set, go] {
        WaitForSingleObject(set, INFINITE);
        passedSet = true;
        WaitForSingleObject(go, INFINITE);
    });
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!IsThreadBlocked(thread) && std::chrono::steady_clock::now() < bound)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(IsThreadBlocked(thread));
    EXPECT_TRUE(passedSet);  // blocked on the second event, not the first
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    EXPECT_FALSE(IsThreadBlocked(thread));
    CloseHandle(thread);
    EXPECT_FALSE(IsThreadBlocked(thread));  // stale
    CloseHandle(set);
    CloseHandle(go);
}

// A routine counts as running from CreateThread until it returns, which is
// before its handle is signalled; a start that failed never counts.
TEST(Thread, RunningRoutinesAreCountedFromTheStartToTheReturn) {
    // The routines of earlier tests in this process return a moment after
    // they signal what their test waited for.
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (RunningThreadRoutines() != 0 && std::chrono::steady_clock::now() < bound)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(RunningThreadRoutines(), 0);
    HANDLE go = CreateEvent(true, false);
    HANDLE thread = CreateThread([go] { WaitForSingleObject(go, 5000); });
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(RunningThreadRoutines(), 1);
    FailNextThreadStarts(1);
    EXPECT_EQ(CreateThread([] {}), nullptr);
    EXPECT_EQ(RunningThreadRoutines(), 1);
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(RunningThreadRoutines(), 0);
    CloseHandle(thread);
    CloseHandle(go);
}

TEST(CriticalSection, TheOwnerMayEnterAgain) {
    CriticalSection section;
    std::lock_guard outer(section);
    std::lock_guard inner(section);
    std::atomic<bool> other{true};
    std::thread([&] { other = section.try_lock(); }).join();
    EXPECT_FALSE(other);
}

}  // namespace
