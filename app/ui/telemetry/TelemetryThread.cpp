#include "app/ui/telemetry/TelemetryThread.h"

#include "app/ui/telemetry/TelemetryFlags.h"
#include "platform/base/Clock.h"

DWORD RunTelemetryLoop(CTelemetryPass& pass, const std::atomic<bool>& run, HANDLE event) {
    while (run) {
        if (WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0)
            return 0;
        if (!run)
            return 0;
        if (pass.Run() == CTelemetryPass::Next::Sleep)
            Sleep(kTelemetryPassPeriodMs);
    }
    return 0;
}

DWORD TelemetryThread(TelemetryView& view) {
    CTelemetryPass pass(view, g_LatestTelemetry, g_dailyLog, g_hTelemetryEvent);
    return RunTelemetryLoop(pass, g_bTelemetryThreadRun, g_hTelemetryEvent);
}

void StopTelemetryThread() {
    g_bTelemetryThreadRun = false;
    SetEvent(g_hTelemetryEvent);
}
