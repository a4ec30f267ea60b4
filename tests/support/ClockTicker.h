// Moves a fake clock on at the pace of real time, never faster, while it
// lives: a bounded wait on the clock then lasts at least as long as on the
// real clock, so a slow or loaded machine does not end it before the thread
// it waits for could act.
#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/base/FakeClock.h"

class ClockTicker {
public:
    // Always: the clock moves whatever waits on it. WhileAThreadWaits: it
    // moves only while a thread waits on it and none is past its deadline,
    // so it stops where the last wait ended and a test can read how long the
    // waits lasted on the clock.
    enum class Pace { Always, WhileAThreadWaits };

    explicit ClockTicker(FakeClock& clock, Pace pace = Pace::Always)
        : thread_([this, &clock, pace] {
              while (ticking_) {
                  if (pace == Pace::Always || Awaited(clock))
                      clock.Advance(1);
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
          }) {}
    ~ClockTicker() {
        ticking_ = false;
        thread_.join();
    }
    ClockTicker(const ClockTicker&) = delete;
    ClockTicker& operator=(const ClockTicker&) = delete;

private:
    static bool Awaited(const FakeClock& clock) {
        return clock.PendingSleepers() > 0 && clock.DueSleepers() == 0;
    }

    std::atomic<bool> ticking_{true};
    std::thread thread_;
};
