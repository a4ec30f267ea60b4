// The signals between the playback code and the telemetry thread.
//
// Threads: the flags are set by the player callbacks and the main window
// and consumed (read and cleared in one step) by the telemetry thread.
// The event is created by the main window before the thread starts and
// never replaced while it runs.
#pragma once

#include <atomic>

#include "platform/base/Event.h"

// A stop has completed: the next pass clears every telemetry display.
extern std::atomic<bool> g_bPlaybackStopped;
// Frames flow (playing, fast): set by those results, cleared by a pause
// and a stop. The pass that handles a stop keeps the event set while it
// holds, so a play result that came meanwhile is not undone.
extern std::atomic<bool> g_bFramesFlowing;
// A seek was sent or armed: the next pass clears the chart and the GPS line.
extern std::atomic<bool> g_bPositionJumped;
// The telemetry thread runs while set.
extern std::atomic<bool> g_bTelemetryThreadRun;
// Manual reset: set while frames flow (playing, and once after a stop),
// reset while paused and after a stop has been handled.
extern HANDLE g_hTelemetryEvent;
// Manual reset: set by StopTelemetryThread to cut the wait between passes
// short. Made by StartTelemetryThread and kept for the process.
extern HANDLE g_hTelemetryThreadWake;
