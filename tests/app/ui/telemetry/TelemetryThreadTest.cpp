#include "app/ui/telemetry/TelemetryThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "app/ui/telemetry/TelemetryFlags.h"
#include "platform/base/FakeClock.h"
#include "tests/app/ui/telemetry/RecordingView.h"

namespace {

// Waits in real time, at most five seconds, until `done` holds.
bool Eventually(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

class TelemetryThreadTest : public testing::Test {
protected:
    TelemetryThreadTest() {
        g_bPlaybackStopped = false;
        g_bPositionJumped = false;
    }
    ~TelemetryThreadTest() override {
        Stop();
        CloseHandle(event_);
        CloseHandle(wake_);
    }

    void Start() {
        thread_ = std::thread([this] {
            result_ = RunTelemetryLoop(pass_, run_, event_, wake_);
            ended_ = true;
        });
    }
    // Ends the loop the way the main window does: flag clear, then a wake;
    // the clock moves on until a sleeping thread has seen the flag.
    void Stop() {
        run_ = false;
        SetEvent(event_);
        if (!thread_.joinable())
            return;
        EXPECT_TRUE(Eventually([&] {
            if (clock_->DueSleepers() == 0)
                clock_->Advance(kTelemetryPassPeriodMs);
            return ended_.load();
        }));
        thread_.join();
    }
    int Passes() const { return view_.Count(L"AddChartSample"); }
    // The thread sleeps between passes until `deadline`.
    bool SleepsUntil(uint64_t deadline) {
        return Eventually([&] { return clock_->NextDeadline() == deadline; });
    }
    // The thread waits on the event, with no deadline.
    bool WaitsOnEvent() {
        return Eventually([&] {
            return clock_->Sleepers() == 1 && clock_->NextDeadline() == FakeClock::kNoDeadline;
        });
    }

    ScopedFakeClock clock_{1000};
    RecordingView view_;
    LatestTelemetry latest_;
    CDailyLog log_;
    HANDLE event_ = CreateEvent(true, true);
    HANDLE wake_ = CreateEvent(true, false);
    CTelemetryPass pass_{view_, latest_, log_, event_};
    std::atomic<bool> run_{true};
    std::thread thread_;
    std::atomic<bool> ended_{false};
    DWORD result_ = 99;
};

TEST_F(TelemetryThreadTest, OnePassEvery500Milliseconds) {
    Start();
    ASSERT_TRUE(SleepsUntil(1500));
    EXPECT_EQ(Passes(), 1);
    clock_->Advance(499);
    EXPECT_EQ(clock_->DueSleepers(), 0);
    EXPECT_EQ(Passes(), 1);
    clock_->Advance(1);
    ASSERT_TRUE(SleepsUntil(2000));
    EXPECT_EQ(Passes(), 2);
    clock_->Advance(500);
    ASSERT_TRUE(SleepsUntil(2500));
    EXPECT_EQ(Passes(), 3);
    Stop();
    EXPECT_EQ(result_, 0u);
}

TEST_F(TelemetryThreadTest, SeekPassIsFollowedAtOnce) {
    g_bPositionJumped = true;
    Start();
    ASSERT_TRUE(SleepsUntil(1500));
    // The seek pass and a whole pass, with no sleep between them.
    EXPECT_EQ(view_.Count(L"ClearChart"), 1);
    EXPECT_EQ(Passes(), 1);
    EXPECT_EQ(view_.Count(L"ShowPanels"), 2);
}

TEST_F(TelemetryThreadTest, AfterAStopTheThreadWaitsForTheEvent) {
    g_bPlaybackStopped = true;
    Start();
    ASSERT_TRUE(SleepsUntil(1500));
    EXPECT_TRUE(view_.Has(L"HidePanels"));
    clock_->Advance(500);
    ASSERT_TRUE(WaitsOnEvent());
    clock_->Advance(5000);
    EXPECT_EQ(Passes(), 1);
    // Playing again sets the event: the passes resume.
    SetEvent(event_);
    ASSERT_TRUE(SleepsUntil(7000));
    EXPECT_EQ(Passes(), 2);
    EXPECT_TRUE(view_.Has(L"ShowPanels"));
}

TEST_F(TelemetryThreadTest, ClearedRunFlagEndsTheThreadWithoutAPass) {
    ResetEvent(event_);
    Start();
    ASSERT_TRUE(WaitsOnEvent());
    Stop();
    EXPECT_EQ(result_, 0u);
    EXPECT_EQ(Passes(), 0);
}

TEST_F(TelemetryThreadTest, AnEventThatCannotBeWaitedOnEndsTheLoop) {
    const std::atomic<bool> run{true};
    EXPECT_EQ(RunTelemetryLoop(pass_, run, nullptr, wake_), 0u);
    EXPECT_EQ(Passes(), 0);
}

TEST_F(TelemetryThreadTest, ThreadRoutineOverTheGlobalsEndsOnStop) {
    g_hTelemetryEvent = CreateEvent(true, false);
    g_bTelemetryThreadRun = true;
    DWORD result = 99;
    std::thread t([&] { result = TelemetryThread(view_); });
    ASSERT_TRUE(WaitsOnEvent());
    SetEvent(g_hTelemetryEvent);
    ASSERT_TRUE(SleepsUntil(1500));
    // The stop cuts the wait between passes short: no clock move is needed.
    StopTelemetryThread();
    t.join();
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(Passes(), 1);
    EXPECT_FALSE(g_bTelemetryThreadRun);
    CloseHandle(g_hTelemetryEvent);
    g_hTelemetryEvent = nullptr;
}

}  // namespace
