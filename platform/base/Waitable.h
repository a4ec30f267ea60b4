// Kernel objects a thread can wait on with a time-out: threads (signalled once
// their routine has returned) and events. Every wait runs on the injectable
// clock (Clock.h), so time-outs are testable on a fake clock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "platform/base/Handle.h"

inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 0x102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

class WaitableObject : public KernelObject {
public:
    // An auto-reset object lets one waiter through per signal and clears
    // itself; any other stays signalled until reset.
    explicit WaitableObject(bool autoReset) : m_autoReset(autoReset) {}

    // Waits until the object is signalled or `ms` pass on the current clock;
    // INFINITE never times out. WAIT_OBJECT_0 or WAIT_TIMEOUT.
    DWORD Wait(DWORD ms);

    // Sets or clears the signal; setting wakes every waiter. Any thread.
    void SetSignalled(bool signalled);

private:
    const bool m_autoReset;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_signalled = false;  // guarded by m_mutex
};

// The thread layer (Thread.cpp): waits of the calling thread that block, on
// an object not signalled yet, are counted in `counter` from now on (null:
// not counted).
void CountBlockedWaitsIn(std::atomic<int>* counter);

// WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED for a handle that is not a
// waitable object (stale, closed, or of another kind).
DWORD WaitForSingleObject(HANDLE handle, DWORD ms);
