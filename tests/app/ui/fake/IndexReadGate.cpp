#include "tests/app/ui/fake/IndexReadGate.h"

#include <chrono>

void IndexReadGate::Reset() {
    {
        std::lock_guard hold(lock_);
        owner_ = std::this_thread::get_id();
        closed_ = false;
    }
    changed_.notify_all();
    mostInside_ = inside_.load();
}

void IndexReadGate::Close() {
    std::lock_guard hold(lock_);
    closed_ = true;
}

void IndexReadGate::Open() {
    {
        std::lock_guard hold(lock_);
        closed_ = false;
    }
    changed_.notify_all();
}

bool IndexReadGate::WaitForHeld() const {
    std::unique_lock hold(lock_);
    return changed_.wait_for(hold, std::chrono::seconds(5), [&] { return held_ > 0; });
}

std::thread::id IndexReadGate::Owner() const {
    std::lock_guard hold(lock_);
    return owner_;
}

void IndexReadGate::Enter() {
    const int inside = ++inside_;
    int most = mostInside_.load();
    while (inside > most && !mostInside_.compare_exchange_weak(most, inside)) {
    }
    std::unique_lock hold(lock_);
    ++held_;
    changed_.notify_all();
    changed_.wait(hold, [&] { return !closed_; });
    --held_;
}
