// A bounded wait of the UI thread for a worker that may itself be waiting
// in SendMessage for the UI thread: the messages other threads send to the
// caller are handled while it waits, so neither blocks the other.
#pragma once

#include "platform/base/Handle.h"

// Waits until `object` is signalled or `boundMs` have passed on the
// injectable clock, handling sent messages meanwhile; posted messages stay
// queued. WAIT_OBJECT_0 or WAIT_TIMEOUT.
DWORD WaitServingSentMessages(HANDLE object, DWORD boundMs);
