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
// Between passes it waits on `wake` for the pass period, so a stop that
// sets `wake` ends the loop without waiting out the period.
DWORD RunTelemetryLoop(CTelemetryPass& pass, const std::atomic<bool>& run, HANDLE event,
                       HANDLE wake);

// The thread routine: the loop over g_LatestTelemetry, g_dailyLog,
// g_bTelemetryThreadRun, g_hTelemetryEvent and g_hTelemetryThreadWake,
// showing on `view`, which must outlive the thread.
DWORD TelemetryThread(TelemetryView& view);

// Sets the run flag, makes the wake event and starts TelemetryThread on
// `view`; the thread's handle, or null when none could be started.
// g_hTelemetryEvent must exist.
HANDLE StartTelemetryThread(TelemetryView& view);

// Clears the run flag and sets the event and the wake event, so a thread
// blocked in either wait wakes and ends instead of some time later.
void StopTelemetryThread();
