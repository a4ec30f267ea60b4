// Operations that tests have asked to fail (FailNextThreadStarts,
// FailNextEventCreations): after `skip` more operations succeed, the next
// `count` fail. Any thread.
#pragma once

#include <mutex>

class InjectedFailures {
public:
    void Arm(int count, int skip = 0) {
        std::lock_guard lock(m_mutex);
        m_skip = skip;
        m_count = count;
    }
    // True when this operation is to fail.
    bool Take() {
        std::lock_guard lock(m_mutex);
        if (m_count <= 0)
            return false;
        if (m_skip > 0) {
            --m_skip;
            return false;
        }
        --m_count;
        return true;
    }

private:
    std::mutex m_mutex;
    int m_skip = 0;  // guarded by m_mutex
    int m_count = 0;
};
