// A recorder's GPS text from its three fields, each copied to its full
// width as the recorder writes them (no terminators).
#pragma once

#include <cstring>

#include "shared/GopRecords.h"

inline GpsText Gps(const char* latitude, const char* longitude, const char* altitude) {
    GpsText g{};
    std::memcpy(g.latitude, latitude, sizeof g.latitude);
    std::memcpy(g.longitude, longitude, sizeof g.longitude);
    std::memcpy(g.altitude, altitude, sizeof g.altitude);
    return g;
}
