// A recursive critical section: the owning thread may enter it again, which
// code that raises callbacks while holding it needs (a callback may call back
// into the code that holds the lock). Usable with std::lock_guard and
// std::unique_lock. Use a plain std::mutex wherever re-entry is not needed.
#pragma once

#include <mutex>

class CriticalSection {
public:
    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }
    bool try_lock() { return m_mutex.try_lock(); }

private:
    std::recursive_mutex m_mutex;
};
