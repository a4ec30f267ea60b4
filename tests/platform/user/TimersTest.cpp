#include <gtest/gtest.h>

#include "TestWindows.h"
#include "platform/base/FakeClock.h"

namespace {

class Timers : public ::testing::Test {
protected:
    std::vector<WPARAM> FiredIds(HWND w) {
        std::vector<WPARAM> ids;
        MSG msg{};
        while (PeekMessage(&msg, w, WM_TIMER, WM_TIMER, PM_REMOVE))
            ids.push_back(msg.wParam);
        return ids;
    }

    ScopedFakeClock clock;
    TestWindows windows;
};

TEST_F(Timers, FireOnlyWhenDueAndNeverPileUp) {
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    EXPECT_EQ(SetTimer(w, 100, 250, nullptr), 100u);
    clock->Advance(249);
    EXPECT_TRUE(FiredIds(w).empty());
    clock->Advance(1);
    EXPECT_EQ(FiredIds(w), std::vector<WPARAM>{100});
    EXPECT_TRUE(FiredIds(w).empty());
    // Four periods late: still one WM_TIMER, then a full period again.
    clock->Advance(1000);
    EXPECT_EQ(FiredIds(w), std::vector<WPARAM>{100});
    clock->Advance(249);
    EXPECT_TRUE(FiredIds(w).empty());
    clock->Advance(1);
    EXPECT_EQ(FiredIds(w), std::vector<WPARAM>{100});
}

TEST_F(Timers, ResettingRestartsAndKillingStops) {
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    SetTimer(w, 1, 100, nullptr);
    SetTimer(w, 2, 150, nullptr);
    clock->Advance(90);
    SetTimer(w, 1, 100, nullptr);  // same (window, id): starts over
    clock->Advance(60);
    EXPECT_EQ(FiredIds(w), std::vector<WPARAM>{2});
    EXPECT_TRUE(KillTimer(w, 2));
    EXPECT_FALSE(KillTimer(w, 2));
    clock->Advance(40);
    EXPECT_EQ(FiredIds(w), std::vector<WPARAM>{1});
    clock->Advance(1000);
    EXPECT_EQ(FiredIds(w), std::vector<WPARAM>{1});
}

TEST_F(Timers, DispatchCallsTheTimerProcedure) {
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    static int calls;
    calls = 0;
    SetTimer(w, 7, 10, [](HWND, UINT message, UINT_PTR id, DWORD) {
        if (message == WM_TIMER && id == 7)
            ++calls;
    });
    clock->Advance(10);
    TestWindows::Pump();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(TestWindows::MessagesOf(w).empty() ||
                TestWindows::MessagesOf(w).back() != WM_TIMER);
}

TEST_F(Timers, DestroyedWindowTakesItsTimers) {
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    SetTimer(w, 3, 10, nullptr);
    DestroyWindow(w);
    clock->Advance(100);
    MSG msg{};
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(Timers, GetMessageWakesForATimerSetWhileItWaits) {
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    std::thread other([&] {
        ASSERT_TRUE(clock->WaitForSleepers(1));  // the loop waits without any timer
        SetTimer(w, 9, 50, nullptr);
        clock->Advance(50);
    });
    MSG msg{};
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_EQ(msg.wParam, 9u);
    other.join();
}

}  // namespace
