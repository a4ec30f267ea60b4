#include "app/ui/telemetry/MapPointTexts.h"
#include "app/ui/telemetry/TelemetryFlags.h"

std::atomic<bool> g_bPlaybackStopped{false};
std::atomic<bool> g_bPositionJumped{false};
std::atomic<bool> g_bTelemetryThreadRun{false};
HANDLE g_hTelemetryEvent = nullptr;

CString g_strMapCarId;
CString g_strMapTime;
CString g_strMapLatitude;
CString g_strMapLongitude;
CString g_strMapAltitude;
