// The latest map point, as texts: the telemetry thread writes them before it
// sends UM_MAP_TRACK with wParam 2, and the main window's map pane passes
// them to the map pages (CMapPaneController::OnMapTrack). The telemetry
// thread waits in SendMessage while the UI thread reads them, so the two
// never touch them at once.
#pragma once

#include "platform/afx/String.h"

extern CString g_strMapCarId;      // vehicle id
extern CString g_strMapTime;       // "%u" of the frame's time
extern CString g_strMapLatitude;   // decimal degrees (GpsTextToDegrees)
extern CString g_strMapLongitude;  // decimal degrees
extern CString g_strMapAltitude;   // kept for the GPS line; the pages never get it
// The vehicle id last passed to the pages; UI thread only.
extern CString g_strMapLastCarId;
