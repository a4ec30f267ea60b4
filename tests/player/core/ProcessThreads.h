// The number of threads the test process runs, from /proc/self/task: a test
// compares it before and after the player starts or ends its threads.
#pragma once

#include <chrono>
#include <filesystem>
#include <iterator>
#include <thread>

inline int ProcessThreads() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return int(std::distance(begin(tasks), end(tasks)));
}

// A thread the player has waited for may still be leaving the system for a
// moment: waits (real time, bounded) until `count` threads run and returns
// the count seen last.
inline int SettledProcessThreads(int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int now = ProcessThreads();
    while (now != count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        now = ProcessThreads();
    }
    return now;
}
