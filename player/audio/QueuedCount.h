// CQueuedCount: the number of wave buffers written to the device and not yet
// played, with its own lock (the audio lock). The playback thread adds, the
// device's callback thread takes off, the display threads read it to slow the
// video while the audio lags behind.
#pragma once

#include <mutex>

class CQueuedCount {
public:
    int Tell() const {
        std::lock_guard lock(m_lock);
        return m_nCount;
    }
    void Add() {
        std::lock_guard lock(m_lock);
        ++m_nCount;
    }
    // Never below 0: a completion of a buffer counted before a clear is ignored.
    void Sub() {
        std::lock_guard lock(m_lock);
        if (m_nCount > 0)
            --m_nCount;
    }
    void Clear() {
        std::lock_guard lock(m_lock);
        m_nCount = 0;
    }

private:
    mutable std::mutex m_lock;
    int m_nCount = 0;  // guarded by m_lock
};
