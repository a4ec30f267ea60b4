// Window timers on the injectable clock (platform/base/Clock.h). A timer
// belongs to the thread of its window (or of the caller, without a window)
// and arrives there as WM_TIMER when that thread retrieves messages; with a
// TIMERPROC, DispatchMessage calls it instead of the window procedure. Timers
// never pile up: a late timer yields one WM_TIMER and restarts its period.
#pragma once

#include "platform/user/UserTypes.h"

// Replaces an existing timer of the same (window, id). Returns the id (a new
// one without a window), 0 for a stale window.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
