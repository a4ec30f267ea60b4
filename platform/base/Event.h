// Events: manual-reset (stays set until ResetEvent) and auto-reset (lets one
// waiter through per SetEvent). Wait on them with WaitForSingleObject.
#pragma once

#include "platform/base/Waitable.h"

// A new event, set or not; close it with CloseHandle. Null when the system
// cannot make one (GetLastError says why); only tests make that happen.
HANDLE CreateEvent(bool manualReset, bool initiallySet);

// FALSE for a handle that is not an event.
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// Tests only: after `after` more CreateEvent calls of this process succeed,
// makes the next `count` fail as the system would, with ENOMEM.
void FailNextEventCreations(int count, int after = 0);
