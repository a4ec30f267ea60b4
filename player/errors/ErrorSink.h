// Where the player's error reports go. Parts call ReportError on whatever
// thread met the error (inside the source manager's lock for reader errors);
// the report is forwarded at once to the sink, the host's error callback that
// the player interface installs in zInit. Without a sink, reports are dropped.
// Both functions are safe to call from any thread at any time.
#pragma once

#include "platform/base/WinTypes.h"
#include "shared/PlayerInterface.h"

// The host's error callback: (code, system error, value).
using ErrorSink = void (*)(int code, DWORD systemError, int value);

// Installs the sink (null removes it). A report already running keeps the
// sink it started with.
void SetErrorSink(ErrorSink sink);

void ReportError(int code, DWORD systemError, int value);

inline void ReportError(zErrorCode code, DWORD systemError = 0, int value = 0) {
    ReportError(static_cast<int>(code), systemError, value);
}
