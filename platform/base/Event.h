// Events: manual-reset (stays set until ResetEvent) and auto-reset (lets one
// waiter through per SetEvent). Wait on them with WaitForSingleObject.
#pragma once

#include "platform/base/Waitable.h"

// A new event, set or not; never fails. Close it with CloseHandle.
HANDLE CreateEvent(bool manualReset, bool initiallySet);

// FALSE for a handle that is not an event.
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
