// The scripted player library's hold on index reads: while closed, every
// read of a thread other than the owner's waits at the gate until it opens.
// Any thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class IndexReadGate {
public:
    // The calling thread becomes the owner; the gate opens.
    void Reset();
    void Close();
    void Open();
    // Waits (real time, bounded) until a read waits at the gate.
    bool WaitForHeld() const;
    int Inside() const { return inside_.load(); }
    int MostInside() const { return mostInside_.load(); }

    // Runs `read`, first waiting at the gate when not on the owner's thread.
    template <typename Read>
    bool Pass(Read&& read) {
        if (std::this_thread::get_id() == Owner())
            return read();
        Enter();
        const bool result = read();
        --inside_;
        return result;
    }

private:
    std::thread::id Owner() const;
    void Enter();

    mutable std::mutex lock_;
    mutable std::condition_variable changed_;
    std::thread::id owner_;  // guarded by lock_
    bool closed_ = false;    // guarded by lock_
    int held_ = 0;           // guarded by lock_
    std::atomic<int> inside_{0};
    std::atomic<int> mostInside_{0};
};
