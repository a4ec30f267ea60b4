#include "app/ui/telemetry/GpsFix.h"

#include <cstdio>
#include <cstdlib>

#include "app/shell/LanguageTexts.h"
#include "shared/GpsDegrees.h"

namespace {

constexpr int kAltitudeChars = 7;
constexpr float kFeetPerMetre = 3.28084f;

// The altitude's raw characters read as metres and written back as whole
// feet; the buffer bounds the text whatever number the recorder sent.
void MetresToFeet(char (&altitude)[10]) {
    char metres[kAltitudeChars + 1] = {};
    for (int i = 0; i < kAltitudeChars; ++i)
        metres[i] = altitude[i];
    const float feet = float(std::atof(metres)) * kFeetPerMetre;
    std::snprintf(altitude, sizeof altitude, "%5.0f", double(feet));
}

}  // namespace

bool ReadGpsFix(const GpsText& gps, bool feet, GpsFix& out) {
    if (gps.latitude[0] == '\0' || gps.longitude[0] == '\0')
        return false;
    char longitude[11] = {};
    char latitude[10] = {};
    char altitude[10] = {};
    if (!GpsTextToDegrees(gps.longitude, gps.latitude, gps.altitude, longitude, latitude, altitude))
        return false;
    if (feet)
        MetresToFeet(altitude);
    out.longitude = CString(longitude);
    out.latitude = CString(latitude);
    out.altitude = CString(altitude);
    return true;
}

CString GpsLineText(const GpsFix& fix, bool feet) {
    CString line;
    line.Format(L"%s : %s , %s : %s , %s : %s %s", IDC_STATIC_LO.GetString(), fix.longitude,
                IDC_STATIC_LA.GetString(), fix.latitude, IDC_STATIC_AL.GetString(), fix.altitude,
                feet ? IDC_STATIC_FT.GetString() : IDC_STATIC_MT.GetString());
    return line;
}
