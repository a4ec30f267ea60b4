// The timers of one thread, per (window, id), on the injectable clock. A timer
// is due `elapse` ms after it was set or last fired; a due timer yields one
// WM_TIMER however late it is taken, then waits a full period again.
// Guarded by UserMutex() (held by every caller).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/user/UserTypes.h"

class TimerList {
public:
    // Returns the timer id; an existing (window, id) timer is replaced.
    UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, uint64_t now);
    bool Kill(HWND hwnd, UINT_PTR id);
    void KillAllOf(HWND hwnd);

    // Earliest due time, or UINT64_MAX without timers.
    uint64_t NextDue() const;
    // Takes one timer due at `now` for `filter` (null: any window) into a WM_TIMER message.
    bool TakeDue(uint64_t now, HWND filter, MSG* out);

private:
    struct Timer {
        HWND hwnd;
        UINT_PTR id;
        UINT elapse;
        uint64_t due;
        TIMERPROC proc;
    };
    std::vector<Timer> timers_;
    UINT_PTR nextWindowlessId_ = 0x7FFF0000;
};
