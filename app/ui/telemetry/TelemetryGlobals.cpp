#include "app/ui/telemetry/TelemetryFlags.h"

std::atomic<bool> g_bPlaybackStopped{false};
std::atomic<bool> g_bFramesFlowing{false};
std::atomic<bool> g_bPositionJumped{false};
std::atomic<bool> g_bTelemetryThreadRun{false};
HANDLE g_hTelemetryEvent = nullptr;
HANDLE g_hTelemetryThreadWake = nullptr;
