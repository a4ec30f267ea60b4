#include "platform/base/Thread.h"

#include <atomic>
#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/base/LastError.h"

namespace {

class Thread final : public WaitableObject {
public:
    Thread() : WaitableObject(false) {}
};

std::atomic<int> g_failingStarts{0};

bool TakeInjectedFailure() {
    int left = g_failingStarts.load();
    while (left > 0)
        if (g_failingStarts.compare_exchange_weak(left, left - 1))
            return true;
    return false;
}

}  // namespace

HANDLE CreateThread(std::function<void()> routine) {
    if (TakeInjectedFailure()) {
        SetLastError(EAGAIN);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>();
    try {
        // The running thread keeps its object alive, so closing the handle
        // early never frees what the thread signals at its end.
        std::thread([thread, routine = std::move(routine)] {
            routine();
            thread->SetSignalled(true);
        }).detach();
    } catch (const std::system_error& e) {
        SetLastError(DWORD(e.code().value()));
        return nullptr;
    }
    return RegisterHandle(std::move(thread));
}

void FailNextThreadStarts(int count) {
    g_failingStarts.store(count);
}
