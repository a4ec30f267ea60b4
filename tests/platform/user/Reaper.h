// Ends the test program when a test runs longer than it may: a broken message
// loop then fails the run instead of hanging it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

class Reaper {
public:
    explicit Reaper(std::chrono::seconds limit = std::chrono::seconds(20))
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!cv_.wait_for(lock, limit, [this] { return disarmed_; })) {
                  std::fprintf(stderr, "reaper: the test hung, giving up\n");
                  std::_Exit(3);
              }
          }) {}
    ~Reaper() {
        {
            std::lock_guard lock(mutex_);
            disarmed_ = true;
        }
        cv_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool disarmed_ = false;
    std::thread thread_;
};
