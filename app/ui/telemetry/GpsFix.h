// A GPS text turned into the decimal-degree texts the map and the GPS line
// show, with the altitude in feet when speeds are shown in mile/h.
#pragma once

#include "platform/afx/String.h"
#include "shared/GopRecords.h"

struct GpsFix {
    CString longitude;
    CString latitude;
    CString altitude;
};

// False when either text is empty (first byte 0) or not a valid position.
bool ReadGpsFix(const GpsText& gps, bool feet, GpsFix& out);
// "Longitude : lon , Latitude : lat , Altitude : alt meter" in the language
// texts, "feet" instead of "meter" when `feet`.
CString GpsLineText(const GpsFix& fix, bool feet);
