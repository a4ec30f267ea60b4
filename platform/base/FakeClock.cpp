#include "platform/base/FakeClock.h"

#include <chrono>
#include <iterator>
#include <thread>

bool FakeClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          uint64_t deadlineMs, const std::function<bool()>& done) {
    std::multiset<uint64_t>::iterator deadline;
    {
        std::lock_guard guard(deadlinesMutex_);
        deadline = deadlines_.insert(deadlineMs);
        ++sleepers_;
    }
    while (!done() && NowMs() < deadlineMs)
        cv.wait_for(lock, std::chrono::milliseconds(1));
    {
        std::lock_guard guard(deadlinesMutex_);
        deadlines_.erase(deadline);
        --sleepers_;
    }
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

uint64_t FakeClock::NextDeadline() const {
    std::lock_guard guard(deadlinesMutex_);
    return deadlines_.empty() ? kNoDeadline : *deadlines_.begin();
}

int FakeClock::DueSleepers() const {
    std::lock_guard guard(deadlinesMutex_);
    const uint64_t now = NowMs();
    int due = 0;
    for (uint64_t deadline : deadlines_) {
        if (deadline > now)
            break;
        ++due;
    }
    return due;
}

int FakeClock::PendingSleepers() const {
    std::lock_guard guard(deadlinesMutex_);
    const auto due = std::distance(deadlines_.begin(), deadlines_.upper_bound(NowMs()));
    return int(deadlines_.size()) - int(due);
}
