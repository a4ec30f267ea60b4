#include "platform/base/Thread.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/base/InjectedFailures.h"
#include "platform/base/LastError.h"

namespace {

class Thread final : public WaitableObject {
public:
    Thread() : WaitableObject(false) {}
    std::atomic<int> blockedWaits{0};  // waits its routine is blocked in now
};

InjectedFailures g_failingStarts;
InjectedFailures g_heldStarts;  // counts the starters HoldNextThreadStarters holds
std::mutex g_holdMutex;
std::function<void(HANDLE)> g_hold;  // guarded by g_holdMutex

void HoldStarter(HANDLE started) {
    if (!g_heldStarts.Take())
        return;
    std::function<void(HANDLE)> hold;
    {
        std::lock_guard lock(g_holdMutex);
        hold = g_hold;
    }
    if (hold)
        hold(started);
}
std::atomic<int> g_runningRoutines{0};

}  // namespace

HANDLE CreateThread(std::function<void()> routine) {
    if (g_failingStarts.Take()) {
        SetLastError(EAGAIN);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>();
    // Counted before the thread starts, so that a test never sees a routine
    // it has asked for neither running nor returned.
    ++g_runningRoutines;
    try {
        // The running thread keeps its object alive, so closing the handle
        // early never frees what the thread signals at its end.
        std::thread([thread, routine = std::move(routine)] {
            CountBlockedWaitsIn(&thread->blockedWaits);
            routine();
            CountBlockedWaitsIn(nullptr);
            --g_runningRoutines;
            thread->SetSignalled(true);
        }).detach();
    } catch (const std::system_error& e) {
        --g_runningRoutines;
        SetLastError(DWORD(e.code().value()));
        return nullptr;
    }
    HANDLE handle = RegisterHandle(std::move(thread));
    HoldStarter(handle);
    return handle;
}

void FailNextThreadStarts(int count) {
    g_failingStarts.Arm(count);
}

void HoldNextThreadStarters(int count, std::function<void(HANDLE)> hold, int skip) {
    {
        std::lock_guard lock(g_holdMutex);
        g_hold = std::move(hold);
    }
    g_heldStarts.Arm(count, skip);
}

bool IsThreadBlocked(HANDLE thread) {
    const std::shared_ptr<Thread> object = LookUpHandleAs<Thread>(thread);
    return object != nullptr && object->blockedWaits.load() > 0;
}

int RunningThreadRoutines() {
    return g_runningRoutines.load();
}
