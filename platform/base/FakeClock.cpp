#include "platform/base/FakeClock.h"

#include <chrono>
#include <thread>

bool FakeClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          uint64_t deadlineMs, const std::function<bool()>& done) {
    ++sleepers_;
    while (!done() && NowMs() < deadlineMs)
        cv.wait_for(lock, std::chrono::milliseconds(1));
    --sleepers_;
    return done();
}

bool FakeClock::WaitForSleepers(int count, int realTimeoutMs) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(realTimeoutMs);
    while (sleepers_.load() < count) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}
