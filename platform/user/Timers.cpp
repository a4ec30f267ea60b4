#include "platform/user/Timers.h"

#include "platform/base/Clock.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowTable.h"

namespace {

// The queue a timer of `hwnd` lives in. Lock held.
MessageQueue* QueueFor(HWND hwnd, const std::shared_ptr<MessageQueue>& mine) {
    if (hwnd == nullptr)
        return mine.get();
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr ? w->queue.get() : nullptr;
}

}  // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    auto mine = MessageQueue::Current();
    std::lock_guard lock(UserMutex());
    MessageQueue* q = QueueFor(hwnd, mine);
    if (q == nullptr)
        return 0;
    const UINT_PTR result = q->timers.Set(hwnd, id, elapseMs, proc, CurrentClock().NowMs());
    q->Wake();  // its wait may need an earlier deadline
    return result;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto mine = MessageQueue::Current();
    std::lock_guard lock(UserMutex());
    MessageQueue* q = QueueFor(hwnd, mine);
    return q != nullptr && q->timers.Kill(hwnd, id) ? TRUE : FALSE;
}
