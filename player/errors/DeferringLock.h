// DeferringLock: how the player takes a lock under which an error may be
// reported. It holds the mutex as std::unique_lock does and, for as long as
// it lives, holds back the error reports of its thread (CReportDeferral):
// they reach the host only after the mutex has been let go, so a host that
// calls an export from its error callback finds no lock of the library held.
#pragma once

#include <mutex>

#include "player/errors/ErrorSink.h"

template <typename Mutex>
class DeferringLock {
public:
    explicit DeferringLock(Mutex& mutex) : m_lock(mutex) {}
    void lock() { m_lock.lock(); }
    void unlock() { m_lock.unlock(); }

private:
    CReportDeferral m_deferral;  // first in, last out: ends after the unlock
    std::unique_lock<Mutex> m_lock;
};
