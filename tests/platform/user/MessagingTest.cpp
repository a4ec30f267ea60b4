#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <map>
#include <thread>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/base/FakeClock.h"

namespace {

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kDone = WM_USER + 2;

// Runs `body` on a thread of its own with a message loop that ends on kDone.
class UiThread {
public:
    explicit UiThread(std::function<void(TestWindows&)> setUp) {
        std::promise<void> ready;
        auto started = ready.get_future();
        thread_ = std::thread([this, setUp, &ready] {
            TestWindows windows;
            window_ = windows.Top(0, 0, 10, 10, WS_POPUP);
            setUp(windows);
            ready.set_value();
            MSG msg{};
            while (GetMessage(&msg, nullptr, 0, 0)) {
                if (msg.message == kDone)
                    break;
                DispatchMessage(&msg);
            }
        });
        started.wait();
    }
    ~UiThread() {
        PostMessage(window_, kDone, 0, 0);
        thread_.join();
    }
    HWND Window() const { return window_; }

private:
    std::thread thread_;
    HWND window_ = nullptr;
};

TEST(Messaging, SendToOwnThreadCallsTheProcedureAtOnce) {
    TestWindows windows;
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    TestWindows::On(w, kPing, [](HWND, WPARAM wp, LPARAM lp) { return LRESULT(wp + lp); });
    EXPECT_EQ(SendMessage(w, kPing, 2, 3), 5);
    EXPECT_FALSE(InSendMessage());
}

TEST(Messaging, CrossThreadSendRunsOnTheOwnerThread) {
    Reaper reaper;
    std::thread::id ranOn;
    UiThread ui([&](TestWindows&) {});
    TestWindows::On(ui.Window(), kPing, [&](HWND, WPARAM wp, LPARAM) {
        ranOn = std::this_thread::get_id();
        return LRESULT(InSendMessage() ? wp * 2 : 0);
    });
    EXPECT_EQ(SendMessage(ui.Window(), kPing, 21, 0), 42);
    EXPECT_NE(ranOn, std::this_thread::get_id());
}

// A handler that replies early lets its sender go on while it still runs;
// the later return value is not the sender's any more, and a second reply or
// one outside a cross-thread send does nothing.
TEST(Messaging, ReplyMessageReleasesTheSenderBeforeTheHandlerEnds) {
    Reaper reaper;
    std::promise<void> senderBack;
    auto back = senderBack.get_future();
    std::atomic<bool> replies[2] = {false, false};
    std::atomic<bool> handlerSawSenderBack{false};
    UiThread ui([&](TestWindows&) {});
    TestWindows::On(ui.Window(), kPing, [&](HWND, WPARAM, LPARAM) {
        replies[0] = ReplyMessage(11) != FALSE;
        replies[1] = ReplyMessage(12) != FALSE;
        // The sender is back while this handler still runs.
        handlerSawSenderBack = back.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        return LRESULT(13);
    });
    EXPECT_EQ(SendMessage(ui.Window(), kPing, 0, 0), 11);
    senderBack.set_value();
    EXPECT_EQ(SendMessage(ui.Window(), kDone + 1, 0, 0), 0) << "a round trip: the handler ended";
    EXPECT_TRUE(replies[0]);
    EXPECT_FALSE(replies[1]) << "replied already";
    EXPECT_TRUE(handlerSawSenderBack);
    EXPECT_FALSE(ReplyMessage(1)) << "not inside a sent message";
}

TEST(Messaging, SendIsServedWhileTheReceiverIsInAModalLoop) {
    Reaper reaper;
    std::promise<HWND> dialogShown;
    auto shown = dialogShown.get_future();
    std::atomic<intptr_t> modalResult{0};
    std::thread ui([&] {
        TestWindows windows;
        HWND w = windows.Top(0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
        TestWindows::On(w, kPing, [](HWND, WPARAM, LPARAM) { return LRESULT(77); });
        DialogTemplate t;
        t.style = WS_POPUP;
        t.cx = 40;
        t.cy = 20;
        modalResult = DialogBoxIndirectParamW(
            nullptr, &t, w,
            [](HWND d, UINT m, WPARAM wp, LPARAM) -> intptr_t {
                if (m == WM_INITDIALOG)
                    SetWindowLongPtr(d, GWLP_USERDATA, 1);
                if (m == WM_COMMAND && LOWORD(wp) == IDCANCEL)
                    EndDialog(d, 9);
                return m == WM_INITDIALOG ? TRUE : FALSE;
            },
            0);
        EXPECT_TRUE(IsWindowEnabled(w)) << "the owner is enabled again";
    });
    // The dialog is the foreground window once it runs.
    HWND dialog = nullptr;
    while (dialog == nullptr || GetWindowLongPtr(dialog, GWLP_USERDATA) != 1) {
        dialog = GetForegroundWindow();
        std::this_thread::yield();
    }
    HWND owner = GetWindow(dialog, GW_OWNER);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "a modal dialog disables its owner";
    EXPECT_EQ(SendMessage(owner, kPing, 0, 0), 77);
    PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    ui.join();
    EXPECT_EQ(modalResult, 9);
}

TEST(Messaging, TwoThreadsSendingToEachOtherAreBothServed) {
    Reaper reaper;
    TestWindows windows;
    HWND mine = windows.Top(0, 0, 10, 10, WS_POPUP);
    UiThread ui([&](TestWindows&) {});
    TestWindows::On(mine, kPing, [](HWND, WPARAM wp, LPARAM) { return LRESULT(wp + 1); });
    // The other thread's handler sends back to us while we wait in our send.
    TestWindows::On(ui.Window(), kPing, [mine](HWND, WPARAM wp, LPARAM) {
        return SendMessage(mine, kPing, wp * 10, 0) + 1;
    });
    EXPECT_EQ(SendMessage(ui.Window(), kPing, 4, 0), 42);
}

TEST(Messaging, PostsFromManyThreadsArriveInEachSendersOrder) {
    Reaper reaper;
    TestWindows windows;
    HWND w = windows.Top(0, 0, 10, 10, WS_POPUP);
    constexpr int kThreads = 8;
    constexpr int kEach = 500;
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t) {
        senders.emplace_back([w, t] {
            for (int i = 0; i < kEach; ++i)
                EXPECT_TRUE(PostMessage(w, kPing, WPARAM(t), i));
        });
    }
    for (auto& s : senders)
        s.join();
    std::map<WPARAM, LPARAM> next;
    MSG msg{};
    int received = 0;
    while (PeekMessage(&msg, w, kPing, kPing, PM_REMOVE)) {
        EXPECT_EQ(msg.lParam, next[msg.wParam]) << "sender " << msg.wParam;
        next[msg.wParam] = msg.lParam + 1;
        ++received;
    }
    EXPECT_EQ(received, kThreads * kEach);
}

TEST(Messaging, RetrievalFiltersAndQuit) {
    TestWindows windows;
    HWND a = windows.Top(0, 0, 10, 10, WS_POPUP);
    HWND b = windows.Top(0, 0, 10, 10, WS_POPUP);
    PostMessage(a, kPing, 1, 0);
    PostMessage(b, kPing, 2, 0);
    PostMessage(a, kDone, 3, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, kDone, kDone, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, kDone, kDone, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    PostQuitMessage(5);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 5u);
}

TEST(Messaging, SendTimeoutGivesUpOnABusyReceiver) {
    Reaper reaper;
    ScopedFakeClock clock;
    std::mutex m;
    std::condition_variable cv;
    bool release = false;
    std::promise<HWND> made;
    std::thread busy([&] {
        TestWindows windows;
        made.set_value(windows.Top(0, 0, 5, 5, WS_POPUP));
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return release; });  // never looks at its messages
    });
    HWND w = made.get_future().get();
    auto answer = std::async(std::launch::async, [w] {
        LRESULT r = 123;
        const BOOL ok = SendMessageTimeout(w, kPing, 0, 0, 500, &r);
        return std::make_pair(ok, r);
    });
    ASSERT_TRUE(clock->WaitForSleepers(1));
    EXPECT_EQ(clock->NextDeadline(), clock->NowMs() + 500) << "the send waits to its bound";
    clock->Advance(499);
    EXPECT_EQ(clock->PendingSleepers(), 1) << "still waiting";
    EXPECT_EQ(answer.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    clock->Advance(1);
    const auto [ok, result] = answer.get();
    EXPECT_FALSE(ok);
    EXPECT_EQ(result, 0);
    {
        std::lock_guard lock(m);
        release = true;
    }
    cv.notify_all();
    busy.join();
}

}  // namespace
