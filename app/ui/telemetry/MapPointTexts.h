// The latest map point, written by the telemetry thread before it sends
// UM_MAP_TRACK to add the point; the main window's handler of that message
// reads them while the telemetry thread waits for it, so the two never
// touch them at once.
#pragma once

#include "platform/afx/String.h"

extern CString g_strMapCarId;
extern CString g_strMapTime;  // "%u" of the recording time
extern CString g_strMapLatitude;
extern CString g_strMapLongitude;
extern CString g_strMapAltitude;  // not given to the page
