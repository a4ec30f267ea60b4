#include "platform/base/Clock.h"

#include <atomic>
#include <chrono>
#include <limits>

namespace {

class SystemClock final : public Clock {
public:
    uint64_t NowMs() const override {
        using namespace std::chrono;
        return uint64_t(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }

    int64_t UnixTime() const override {
        using namespace std::chrono;
        return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    }

    bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   uint64_t deadlineMs, const std::function<bool()>& done) override {
        while (!done()) {
            const uint64_t now = NowMs();
            if (now >= deadlineMs)
                return false;
            const uint64_t left = deadlineMs - now;
            // Very long deadlines are waited for in slices: wait_for overflows on huge spans.
            cv.wait_for(lock, std::chrono::milliseconds(std::min<uint64_t>(left, 3600000)));
        }
        return true;
    }
};

// Never destroyed: threads and static destructors of libraries may still
// wait on the clock while the process exits.
SystemClock& TheSystemClock() {
    static SystemClock* clock = new SystemClock;
    return *clock;
}

std::atomic<Clock*> g_clock{nullptr};  // null: the system clock

}  // namespace

Clock& CurrentClock() {
    Clock* clock = g_clock.load(std::memory_order_acquire);
    return clock != nullptr ? *clock : TheSystemClock();
}

void SetCurrentClock(Clock* clock) {
    g_clock.store(clock, std::memory_order_release);
}

uint64_t DeadlineAfter(DWORD ms) {
    if (ms == INFINITE)
        return std::numeric_limits<uint64_t>::max();
    return CurrentClock().NowMs() + ms;
}

int64_t CurrentUnixTime() {
    return CurrentClock().UnixTime();
}

DWORD timeGetTime() {
    return DWORD(CurrentClock().NowMs());
}

void Sleep(DWORD ms) {
    std::mutex mutex;
    std::condition_variable cv;
    std::unique_lock lock(mutex);
    CurrentClock().WaitUntil(lock, cv, DeadlineAfter(ms), [] { return false; });
}
