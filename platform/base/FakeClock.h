// A clock that moves only when a test advances it. Threads waiting on it see
// the new time within a millisecond of real time: each wait re-checks its
// deadline at that pace, so no wake-up can be lost.
#pragma once

#include <atomic>
#include <limits>
#include <mutex>
#include <set>

#include "platform/base/Clock.h"

class FakeClock final : public Clock {
public:
    explicit FakeClock(uint64_t startMs = 0) : now_(startMs) {}

    uint64_t NowMs() const override { return now_.load(); }
    // Calendar time moves with the clock from the time last set (0 at first).
    int64_t UnixTime() const override {
        return unixAtSet_ + int64_t((now_.load() - msAtSet_) / 1000);
    }
    void SetUnixTime(int64_t seconds) {
        msAtSet_ = now_.load();
        unixAtSet_ = seconds;
    }
    bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   uint64_t deadlineMs, const std::function<bool()>& done) override;

    void Advance(uint64_t ms) { now_ += ms; }

    // Threads now inside a wait with a deadline on this clock.
    int Sleepers() const { return sleepers_.load(); }

    // Waits (in real time, at most `realTimeoutMs`) until at least `count`
    // threads wait on this clock. False on time-out. The default bound only
    // stops a hang: a loaded machine may take seconds to get a thread there.
    bool WaitForSleepers(int count, int realTimeoutMs = 60000) const;

    // The earliest deadline among the threads waiting now (kNoDeadline when
    // none has one), and how many of them are past their deadline and about
    // to return: a test that advances only while none is due never lets a
    // thread see two steps at once.
    static constexpr uint64_t kNoDeadline = std::numeric_limits<uint64_t>::max();
    uint64_t NextDeadline() const;
    int DueSleepers() const;
    // The threads waiting now whose deadline is still ahead, counted in one
    // look: a test that reads Sleepers and DueSleepers one after the other
    // can miss a due thread that leaves its wait between the two.
    int PendingSleepers() const;

private:
    std::atomic<uint64_t> now_;
    std::atomic<int> sleepers_{0};
    mutable std::mutex deadlinesMutex_;
    std::multiset<uint64_t> deadlines_;  // guarded by deadlinesMutex_
    // Set by the test before the threads that read the time start.
    uint64_t msAtSet_ = 0;
    int64_t unixAtSet_ = 0;
};

// Installs a fake clock for one scope (tests).
class ScopedFakeClock {
public:
    explicit ScopedFakeClock(uint64_t startMs = 1000) : clock_(startMs) {
        SetCurrentClock(&clock_);
    }
    ~ScopedFakeClock() { SetCurrentClock(nullptr); }
    FakeClock& operator*() { return clock_; }
    FakeClock* operator->() { return &clock_; }

private:
    FakeClock clock_;
};
