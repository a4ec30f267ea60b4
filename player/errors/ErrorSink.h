// Where the player's error reports go. Parts call ReportError on whatever
// thread met the error; the report goes to the sink, the host's error
// callback that the player interface installs in zInit, on that same thread.
// A thread that holds a lock of the library holds its reports back
// (CReportDeferral, DeferringLock): they go out in order once it has let go
// of its last one, so the host's callback never runs with a lock of the
// library held and may call any export. Without a sink, reports are dropped.
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

// While one lives, the error reports of its thread wait; when the thread's
// outermost one ends, they go to the sink in the order they were raised.
class CReportDeferral {
public:
    CReportDeferral();
    ~CReportDeferral();
    CReportDeferral(const CReportDeferral&) = delete;
    CReportDeferral& operator=(const CReportDeferral&) = delete;
};
