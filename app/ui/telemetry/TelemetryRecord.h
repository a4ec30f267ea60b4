// The telemetry of the latest GOP as the program keeps it between the
// player's data callback and the telemetry thread.
#pragma once

#include <cstdint>

#include "shared/GopRecords.h"

inline constexpr int kVehicleIdBytes = 16;
inline constexpr int kAlarmBytes = 12;
inline constexpr unsigned char kNoGSensor = 255;
inline constexpr int kNoTemperature = 255;

struct TelemetryRecord {
    uint32_t time = 0;  // seconds since 1970 as the recorder wrote them; 0: none
    char vehicleId[kVehicleIdBytes + 1] = {};               // UTF-8; the last byte stays 0
    GpsText gps = {};                                       // first byte 0: none
    int gSensor[3] = {kNoGSensor, kNoGSensor, kNoGSensor};  // raw; 127 = 2 g
    float speed = -1.0f;                                    // km/h; below 0: none
    int temperature = kNoTemperature;                       // Celsius; outside -127..128: none
    float voltage = -1.0f;                                  // volts; below 0: none
    // Bytes 0-7 alarm inputs 1-8, 8-9 relays 1-2; 10-11 unused.
    uint8_t alarms[kAlarmBytes] = {};
};
