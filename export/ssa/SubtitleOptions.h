// What the subtitle lines of an export show and in which units; the
// controller fills it from the export parameters at the start of an export.
#pragma once

#include "shared/ExtractParams.h"

struct SubtitleOptions {
    bool dateTime = false;     // a Time event shows the GOP's date and time
    bool vehicleId = false;    // the Log event's parts, in this order
    bool temperature = false;  //
    bool speed = false;        //
    bool gps = false;          //
    int speedUnit = 0;         // 0 km/h, 1 mile/h
    int temperatureUnit = 0;   // 0 Celsius, 1 Fahrenheit
};

// The overlay flags (any nonzero value counts as set) and units of an
// export's parameters.
inline SubtitleOptions SubtitleOptionsOf(const ExtractParams& params) {
    return {.dateTime = params.osdDateTime != 0,
            .vehicleId = params.osdVehicleId != 0,
            .temperature = params.osdTemperature != 0,
            .speed = params.osdSpeed != 0,
            .gps = params.osdGps != 0,
            .speedUnit = params.speedUnit,
            .temperatureUnit = params.temperatureUnit};
}
