#include "player/render/FrameWait.h"

#include "platform/base/Clock.h"

bool CFrameWait::Sleep(DWORD ms, const CShowInterruption* interruption) {
    if (interruption == nullptr) {
        ::Sleep(ms);
        return true;
    }
    std::unique_lock lock(m_mutex);
    return !CurrentClock().WaitUntil(lock, m_woken, DeadlineAfter(ms),
                                     [interruption] { return interruption->IsInterrupted(); });
}

void CFrameWait::Wake() {
    std::lock_guard lock(m_mutex);
    m_woken.notify_all();
}
