// The UI thread's bounded wait for a worker that sends it messages: the sends
// are handled while it waits, so the worker can end; posted messages wait.
#include "app/ui/main/SentMessageWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/Event.h"
#include "platform/base/FakeClock.h"
#include "platform/base/Thread.h"
#include "platform/user/User.h"

namespace {

constexpr UINT kSent = WM_APP + 10;
constexpr UINT kPosted = WM_APP + 11;
std::atomic<int> g_sent{0};
std::atomic<int> g_posted{0};

LRESULT CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSent)
        return ++g_sent;
    if (message == kPosted)
        ++g_posted;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class SentMessageWait : public testing::Test {
protected:
    SentMessageWait() {
        static const bool registered = [] {
            WNDCLASSW c{};
            c.lpfnWndProc = CountingProc;
            c.lpszClassName = L"SentMessageWaitTest";
            return RegisterClass(&c) != 0;
        }();
        EXPECT_TRUE(registered);
        window_ = CreateWindowEx(0, L"SentMessageWaitTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
        g_sent = 0;
        g_posted = 0;
    }
    ~SentMessageWait() override { DestroyWindow(window_); }

    ScopedFakeClock clock_;
    HeadlessDisplay display_{100, 100, RGB(0, 0, 0)};
    HWND window_ = nullptr;
};

TEST_F(SentMessageWait, AWorkerSendingToTheWaiterIsServedAndEnds) {
    const HWND target = window_;
    std::atomic<LRESULT> answer{0};
    const HANDLE worker = CreateThread([target, &answer] {
        PostMessage(target, kPosted, 0, 0);
        answer = SendMessage(target, kSent, 0, 0);
        answer = answer + SendMessage(target, kSent, 0, 0);
    });
    ASSERT_NE(worker, nullptr);
    // The fake clock never moves: only the served sends let the worker end.
    EXPECT_EQ(WaitServingSentMessages(worker, 1000), WAIT_OBJECT_0);
    EXPECT_EQ(g_sent, 2);
    EXPECT_EQ(answer, 3);
    EXPECT_EQ(g_posted, 0) << "posted messages stay queued";
    CloseHandle(worker);
}

TEST_F(SentMessageWait, AWorkerThatDoesNotEndIsGivenUpAtTheBound) {
    const HANDLE never = CreateEvent(true, false);
    std::atomic<bool> done{false};
    std::thread waiter([&] {
        EXPECT_EQ(WaitServingSentMessages(never, 500), WAIT_TIMEOUT);
        done = true;
    });
    while (!done) {
        clock_->Advance(100);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    waiter.join();
    CloseHandle(never);
}

}  // namespace
