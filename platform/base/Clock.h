// Time for every timed operation of the platform layers (Sleep, timeGetTime,
// waits with a time-out, window timers) comes from one injectable clock, so
// tests can run timing logic on a fake clock instead of sleeping.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/base/WinTypes.h"

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start; never goes backwards.
    virtual uint64_t NowMs() const = 0;

    // Calendar time: seconds since 1970-01-01 00:00 UTC, as time() gives it.
    virtual int64_t UnixTime() const = 0;

    // With `lock` held on `cv`'s mutex: waits until `done()` is true or the
    // clock reaches `deadlineMs`, whichever is first. Whoever makes `done()`
    // true notifies `cv` under the same mutex. Returns done().
    virtual bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           uint64_t deadlineMs, const std::function<bool()>& done) = 0;
};

// The clock in force: the system's monotonic clock unless a test installed one.
Clock& CurrentClock();

// Installs `clock` for the whole process (tests only); null restores the
// system clock. Install before starting the threads that wait on it.
void SetCurrentClock(Clock* clock);

// Deadline `ms` from now on the current clock; INFINITE gives no deadline.
uint64_t DeadlineAfter(DWORD ms);

DWORD timeGetTime();
// The calendar time of the current clock (what code would take from time()).
int64_t CurrentUnixTime();
void Sleep(DWORD ms);
