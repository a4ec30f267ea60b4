// How many threads this process has (/proc/self/task), for tests that check
// that a library started the threads it should and left none of its own
// behind. A thread whose routine has returned leaves the system a moment
// later, so the waits poll, bounded.
#pragma once

#include <chrono>
#include <filesystem>
#include <iterator>
#include <thread>

#include "platform/base/Thread.h"

inline int ProcessThreadCount() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return int(std::distance(std::filesystem::begin(tasks), std::filesystem::end(tasks)));
}

// The count to come back to: taken once a thread has been started and
// joined, so that a thread a sanitizer's runtime starts with the first
// thread of the process is counted in it.
inline int ThreadCountBaseline() {
    std::thread([] {}).join();
    return ProcessThreadCount();
}

// Waits (real time, at most `bound`) until `done(count)` holds for the
// process's thread count; gives the count last seen.
template <typename Done>
int WaitForThreadCountThat(Done done, std::chrono::milliseconds bound = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int now = ProcessThreadCount();
    while (!done(now) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        now = ProcessThreadCount();
    }
    return now;
}

// Waits until the process has at most `count` threads.
inline int WaitForThreadCount(int count,
                              std::chrono::milliseconds bound = std::chrono::seconds(5)) {
    return WaitForThreadCountThat([count](int now) { return now <= count; }, bound);
}

// Waits until the process has exactly `count` threads (some may still be
// starting or leaving).
inline int SettledProcessThreads(int count) {
    return WaitForThreadCountThat([count](int now) { return now == count; });
}

// Waits until every thread whose routine has returned (CreateThread) has left
// the system: the process then has `others` threads besides the routines
// still running. A count taken right after a command may still hold a thread
// on its way out. Gives the count last seen.
inline int SettledThreadsBesideRoutines(int others) {
    return WaitForThreadCountThat(
        [others](int now) { return now == others + RunningThreadRoutines(); });
}
