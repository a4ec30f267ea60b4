#include "platform/user/Messaging.h"

#include <chrono>
#include <cstdio>
#include <limits>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/user/InputCooking.h"
#include "platform/user/InputState.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messages.h"
#include "platform/user/PaintQueue.h"
#include "platform/user/WindowTable.h"

namespace {

// Per thread: the last retrieved message's time and cursor position.
thread_local DWORD t_messageTime = 0;
thread_local POINT t_messagePos{};
// Per thread: the cross-thread send being served right now (innermost), for ReplyMessage.
thread_local SentMessage* t_serving = nullptr;

bool InFilter(const MSG& m, HWND hwnd, UINT lo, UINT hi) {
    if (hwnd != nullptr && m.hwnd != hwnd)
        return false;
    if (lo == 0 && hi == 0)
        return true;
    return m.message >= lo && m.message <= hi;
}

bool RangeWants(UINT message, UINT lo, UINT hi) {
    return (lo == 0 && hi == 0) || (message >= lo && message <= hi);
}

// Runs a window procedure without the lock; 0 for a stale handle.
LRESULT CallOwnWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        std::lock_guard lock(UserMutex());
        if (Window* w = FindWindowLocked(hwnd))
            proc = w->proc;
    }
    return proc == nullptr ? 0 : proc(hwnd, message, wParam, lParam);
}

// The sender of `s` gets `result` and goes on. Lock held.
void Reply(SentMessage& s, LRESULT result) {
    s.result = result;
    s.done = true;
    s.sender->Wake();
}

// Serves one message sent by another thread, if any. Lock held on entry and exit.
bool ServeOneSent(std::unique_lock<std::mutex>& lock, MessageQueue* q) {
    if (q->sent.empty())
        return false;
    std::shared_ptr<SentMessage> s = q->sent.front();
    q->sent.pop_front();
    ++q->sendDepth;
    SentMessage* const outer = std::exchange(t_serving, s.get());
    lock.unlock();
    const LRESULT result = CallOwnWindow(s->hwnd, s->message, s->wParam, s->lParam);
    lock.lock();
    t_serving = outer;
    --q->sendDepth;
    if (!s->done)
        Reply(*s, result);
    return true;
}

bool TakePosted(MessageQueue* q, MSG* msg, HWND hwnd, UINT lo, UINT hi, bool remove) {
    for (auto it = q->posted.begin(); it != q->posted.end(); ++it) {
        if (!InFilter(*it, hwnd, lo, hi))
            continue;
        *msg = *it;
        if (remove)
            q->posted.erase(it);
        return true;
    }
    return false;
}

bool TakeQuit(MessageQueue* q, MSG* msg, bool remove) {
    if (!q->quitPosted)
        return false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(q->quitCode), 0, timeGetTime(), CursorPosLocked()};
    if (remove)
        q->quitPosted = false;
    return true;
}

bool TakeCookedInput(std::unique_lock<std::mutex>& lock, MessageQueue* q, MSG* msg, HWND hwnd,
                     UINT lo, UINT hi, bool remove) {
    while (q->cookedInput.empty() && !q->input.empty())
        CookNextInput(lock, q);
    for (auto it = q->cookedInput.begin(); it != q->cookedInput.end(); ++it) {
        if (!InFilter(*it, hwnd, lo, hi))
            continue;
        *msg = *it;
        if (remove)
            q->cookedInput.erase(it);
        return true;
    }
    return false;
}

bool TakeTimer(MessageQueue* q, MSG* msg, HWND hwnd, UINT lo, UINT hi, bool remove) {
    if (!RangeWants(WM_TIMER, lo, hi))
        return false;
    const uint64_t now = CurrentClock().NowMs();
    if (!remove) {
        TimerList copy = q->timers;
        return copy.TakeDue(now, hwnd, msg);
    }
    return q->timers.TakeDue(now, hwnd, msg);
}

// One pass over every source, in retrieval order. Lock held.
bool TryRetrieve(std::unique_lock<std::mutex>& lock, MessageQueue* q, MSG* msg, HWND hwnd, UINT lo,
                 UINT hi, bool remove) {
    while (ServeOneSent(lock, q)) {
    }
    if (TakePosted(q, msg, hwnd, lo, hi, remove))
        return true;
    if (TakeQuit(q, msg, remove))
        return true;
    if (TakeCookedInput(lock, q, msg, hwnd, lo, hi, remove))
        return true;
    if (RangeWants(WM_PAINT, lo, hi) && TakePaintMessage(q, hwnd, msg))
        return true;
    return TakeTimer(q, msg, hwnd, lo, hi, remove);
}

bool Nothing(const MessageQueue* q) {
    return q->sent.empty() && q->posted.empty() && !q->quitPosted && q->input.empty() &&
           q->cookedInput.empty() && q->paintPending == 0;
}

// Waits until something new arrives or the next timer is due. Waiting for a
// change, not for a non-empty queue, keeps a filtered retrieval from spinning
// on messages it does not want. Lock held.
void WaitForWork(std::unique_lock<std::mutex>& lock, MessageQueue* q) {
    const uint64_t seen = q->arrivals;
    const uint64_t due = q->timers.NextDue();
    CurrentClock().WaitUntil(lock, q->wake, due, [q, seen] { return q->arrivals != seen; });
}

void NoteRetrieved(const MSG& msg) {
    t_messageTime = msg.time;
    t_messagePos = msg.pt;
}

// The receiver of a cross-thread send, or null when the send is local or void.
std::shared_ptr<MessageQueue> ReceiverOf(HWND hwnd, bool* stale) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    *stale = w == nullptr || !w->queue->alive;
    if (*stale || w->queue->IsCurrentThread())
        return nullptr;
    return w->queue;
}

// Waits for `s` while serving what is sent to this thread meanwhile. Lock held.
bool AwaitReply(std::unique_lock<std::mutex>& lock, MessageQueue* me, const SentMessage& s,
                uint64_t deadline) {
    const auto started = std::chrono::steady_clock::now();
    bool warned = false;
    while (!s.done) {
        if (ServeOneSent(lock, me))
            continue;
        if (deadline != std::numeric_limits<uint64_t>::max()) {
            if (!CurrentClock().WaitUntil(lock, me->wake, deadline,
                                          [&] { return s.done || !me->sent.empty(); }))
                return false;
            continue;
        }
        me->wake.wait_for(lock, std::chrono::milliseconds(100));
        // A receiver that never waits for messages would block us for good: say so.
        if (!warned && std::chrono::steady_clock::now() - started > std::chrono::seconds(10)) {
            std::fprintf(stderr, "window system: SendMessage 0x%04x waits for over 10 s\n",
                         s.message);
            warned = true;
        }
    }
    return true;
}

BOOL SendAcross(std::shared_ptr<MessageQueue> receiver, HWND hwnd, UINT message, WPARAM wParam,
                LPARAM lParam, uint64_t deadline, LRESULT* result) {
    auto me = MessageQueue::Current();
    auto s = std::make_shared<SentMessage>();
    *s = SentMessage{hwnd, message, wParam, lParam, 0, false, me};
    std::unique_lock lock(UserMutex());
    if (!receiver->alive)
        return TRUE;
    receiver->sent.push_back(s);
    receiver->Wake();
    if (!AwaitReply(lock, me.get(), *s, deadline)) {
        std::erase(receiver->sent, s);  // not served yet: withdraw it
        return FALSE;
    }
    *result = s->result;
    return TRUE;
}

}  // namespace

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || !w->queue->alive)
        return FALSE;
    w->queue->posted.push_back(
        MSG{hwnd, message, wParam, lParam, timeGetTime(), CursorPosLocked()});
    w->queue->Wake();
    return TRUE;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    SendMessageTimeout(hwnd, message, wParam, lParam, INFINITE, &result);
    return result;
}

BOOL SendMessageTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                        LRESULT* result) {
    LRESULT ignored = 0;
    if (result == nullptr)
        result = &ignored;
    *result = 0;
    bool stale = false;
    std::shared_ptr<MessageQueue> receiver = ReceiverOf(hwnd, &stale);
    if (stale)
        return FALSE;
    if (receiver == nullptr) {
        *result = CallOwnWindow(hwnd, message, wParam, lParam);
        return TRUE;
    }
    return SendAcross(std::move(receiver), hwnd, message, wParam, lParam, DeadlineAfter(timeoutMs),
                      result);
}

void PostQuitMessage(int exitCode) {
    auto q = MessageQueue::Current();
    std::lock_guard lock(UserMutex());
    q->quitPosted = true;
    q->quitCode = exitCode;
    q->Wake();
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    auto q = MessageQueue::Current();
    std::unique_lock lock(UserMutex());
    while (!TryRetrieve(lock, q.get(), msg, hwnd, filterMin, filterMax, true)) {
        WaitForWork(lock, q.get());
    }
    NoteRetrieved(*msg);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    auto q = MessageQueue::Current();
    std::unique_lock lock(UserMutex());
    if (!TryRetrieve(lock, q.get(), msg, hwnd, filterMin, filterMax, (removeFlags & 1) != 0))
        return FALSE;
    NoteRetrieved(*msg);
    return TRUE;
}

BOOL WaitMessage() {
    auto q = MessageQueue::Current();
    std::unique_lock lock(UserMutex());
    while (ServeOneSent(lock, q.get())) {
    }
    if (Nothing(q.get()))
        WaitForWork(lock, q.get());
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, timeGetTime());
        return 0;
    }
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(msg->hwnd);
        if (w == nullptr || !w->queue->IsCurrentThread())
            return 0;
    }
    return CallOwnWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc == nullptr ? 0 : proc(hwnd, message, wParam, lParam);
}

BOOL InSendMessage() {
    std::lock_guard lock(UserMutex());
    MessageQueue* q = MessageQueue::CurrentIfAny();
    return q != nullptr && q->sendDepth > 0 ? TRUE : FALSE;
}

BOOL ReplyMessage(LRESULT result) {
    std::lock_guard lock(UserMutex());
    if (t_serving == nullptr || t_serving->done)
        return FALSE;
    Reply(*t_serving, result);
    return TRUE;
}

DWORD GetMessageTime() {
    return t_messageTime;
}

DWORD GetMessagePos() {
    return DWORD(MAKELPARAM(t_messagePos.x, t_messagePos.y));
}
