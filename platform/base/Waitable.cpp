#include "platform/base/Waitable.h"

#include "platform/base/Clock.h"

namespace {

thread_local std::atomic<int>* t_blockedWaits = nullptr;

}  // namespace

void CountBlockedWaitsIn(std::atomic<int>* counter) {
    t_blockedWaits = counter;
}

DWORD WaitableObject::Wait(DWORD ms) {
    std::unique_lock lock(m_mutex);
    std::atomic<int>* blocked = m_signalled ? nullptr : t_blockedWaits;
    if (blocked != nullptr)
        ++*blocked;
    const bool done =
        CurrentClock().WaitUntil(lock, m_cv, DeadlineAfter(ms), [this] { return m_signalled; });
    if (blocked != nullptr)
        --*blocked;
    if (!done)
        return WAIT_TIMEOUT;
    if (m_autoReset)
        m_signalled = false;
    return WAIT_OBJECT_0;
}

void WaitableObject::SetSignalled(bool signalled) {
    std::lock_guard lock(m_mutex);
    m_signalled = signalled;
    if (signalled)
        m_cv.notify_all();
}

DWORD WaitForSingleObject(HANDLE handle, DWORD ms) {
    std::shared_ptr<WaitableObject> object = LookUpHandleAs<WaitableObject>(handle);
    if (object == nullptr)
        return WAIT_FAILED;
    return object->Wait(ms);
}
