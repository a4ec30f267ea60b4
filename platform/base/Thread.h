// Threads behind handles. A thread's handle is signalled once its routine has
// returned, so WaitForSingleObject can wait for it with a time-out; a thread
// that is not waited for, or whose handle is closed, simply runs on.
#pragma once

#include <functional>

#include "platform/base/Waitable.h"

// Starts `routine` on a new thread. Null when the system cannot start one
// (GetLastError says why). Close the handle with CloseHandle.
HANDLE CreateThread(std::function<void()> routine);

// Tests only: makes the next `count` CreateThread calls of this process fail
// as the system would, with EAGAIN.
void FailNextThreadStarts(int count);

// Tests only: after `skip` more CreateThread calls of this process, the next
// `count` call `hold` with the new thread's handle once that thread runs and
// before they return, so the starter is held after the start as a loaded
// machine may hold it, for as long as `hold` takes.
void HoldNextThreadStarters(int count, std::function<void(HANDLE started)> hold, int skip = 0);

// Tests only: whether the thread behind `thread` is blocked now in a wait
// (WaitForSingleObject) on an object not yet signalled. False for a stale
// handle.
bool IsThreadBlocked(HANDLE thread);

// Tests only: how many routines started by CreateThread have not returned
// yet. A test that moves a fake clock waits until each of them sleeps on it.
int RunningThreadRoutines();
