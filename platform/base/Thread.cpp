#include "platform/base/Thread.h"

#include <atomic>
#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/base/InjectedFailures.h"
#include "platform/base/LastError.h"

namespace {

class Thread final : public WaitableObject {
public:
    Thread() : WaitableObject(false) {}
};

InjectedFailures g_failingStarts;
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
            routine();
            --g_runningRoutines;
            thread->SetSignalled(true);
        }).detach();
    } catch (const std::system_error& e) {
        --g_runningRoutines;
        SetLastError(DWORD(e.code().value()));
        return nullptr;
    }
    return RegisterHandle(std::move(thread));
}

void FailNextThreadStarts(int count) {
    g_failingStarts.Arm(count);
}

int RunningThreadRoutines() {
    return g_runningRoutines.load();
}
