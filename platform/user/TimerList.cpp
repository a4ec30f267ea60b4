#include "platform/user/TimerList.h"

#include <algorithm>
#include <limits>

#include "platform/user/Messages.h"

UINT_PTR TimerList::Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, uint64_t now) {
    if (hwnd == nullptr)
        id = ++nextWindowlessId_;
    // A zero period would fire on every pass; the smallest real period is 10 ms.
    elapse = std::max<UINT>(elapse, 10);
    for (Timer& t : timers_) {
        if (t.hwnd == hwnd && t.id == id) {
            t = Timer{hwnd, id, elapse, now + elapse, proc};
            return id;
        }
    }
    timers_.push_back(Timer{hwnd, id, elapse, now + elapse, proc});
    return id;
}

bool TimerList::Kill(HWND hwnd, UINT_PTR id) {
    return std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

void TimerList::KillAllOf(HWND hwnd) {
    std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
}

uint64_t TimerList::NextDue() const {
    uint64_t due = std::numeric_limits<uint64_t>::max();
    for (const Timer& t : timers_)
        due = std::min(due, t.due);
    return due;
}

bool TimerList::TakeDue(uint64_t now, HWND filter, MSG* out) {
    Timer* first = nullptr;
    for (Timer& t : timers_) {
        if (t.due > now || (filter != nullptr && t.hwnd != filter))
            continue;
        if (first == nullptr || t.due < first->due)
            first = &t;
    }
    if (first == nullptr)
        return false;
    first->due = now + first->elapse;
    *out = MSG{first->hwnd, WM_TIMER, first->id, LPARAM(first->proc), DWORD(now), {}};
    return true;
}
