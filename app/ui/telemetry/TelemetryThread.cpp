#include "app/ui/telemetry/TelemetryThread.h"

#include "app/ui/telemetry/TelemetryFlags.h"
#include "platform/base/Event.h"
#include "platform/base/Thread.h"

DWORD RunTelemetryLoop(CTelemetryPass& pass, const std::atomic<bool>& run, HANDLE event,
                       HANDLE wake) {
    while (run) {
        if (WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0)
            return 0;
        if (!run)
            return 0;
        if (pass.Run() == CTelemetryPass::Next::Sleep)
            WaitForSingleObject(wake, kTelemetryPassPeriodMs);
    }
    return 0;
}

namespace {

HANDLE WakeEvent() {
    static const HANDLE wake = g_hTelemetryThreadWake = CreateEvent(true, false);
    return wake;
}

}  // namespace

DWORD TelemetryThread(TelemetryView& view) {
    WakeEvent();
    CTelemetryPass pass(view, g_LatestTelemetry, g_dailyLog, g_hTelemetryEvent);
    return RunTelemetryLoop(pass, g_bTelemetryThreadRun, g_hTelemetryEvent, g_hTelemetryThreadWake);
}

HANDLE StartTelemetryThread(TelemetryView& view) {
    ResetEvent(WakeEvent());
    g_bTelemetryThreadRun = true;
    TelemetryView* const shown = &view;
    const HANDLE thread = CreateThread([shown] { TelemetryThread(*shown); });
    if (thread == nullptr)
        g_bTelemetryThreadRun = false;
    return thread;
}

void StopTelemetryThread() {
    g_bTelemetryThreadRun = false;
    SetEvent(g_hTelemetryEvent);
    SetEvent(g_hTelemetryThreadWake);
}
