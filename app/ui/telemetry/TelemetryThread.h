// The telemetry thread: while frames flow (the telemetry event is set) it
// runs a pass every 500 ms, on the injectable clock; paused or stopped it
// waits on the event. It ends when it finds its run flag clear on waking.
#pragma once

#include <atomic>

#include "app/ui/telemetry/TelemetryPass.h"
#include "app/ui/telemetry/TelemetryView.h"

inline constexpr DWORD kTelemetryPassPeriodMs = 500;

// The loop over one pass object; returns 0 when `run` is found clear, or
// when `event` cannot be waited on (a closed handle would spin otherwise).
DWORD RunTelemetryLoop(CTelemetryPass& pass, const std::atomic<bool>& run, HANDLE event);

// The thread routine: the loop over g_LatestTelemetry, g_dailyLog,
// g_bTelemetryThreadRun and g_hTelemetryEvent, showing on `view`, which
// must outlive the thread. Start it with
//   g_bTelemetryThreadRun = true;
//   CreateThread([view] { TelemetryThread(*view); });
DWORD TelemetryThread(TelemetryView& view);

// Clears the run flag and sets the event, so a thread blocked in its wait
// wakes and ends instead of waking some time later.
void StopTelemetryThread();
