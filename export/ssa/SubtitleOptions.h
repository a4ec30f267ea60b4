// What the subtitle lines of an export show and in which units; the
// controller fills it from the export parameters at the start of an export.
#pragma once

struct SubtitleOptions {
    bool dateTime = false;     // a Time event shows the GOP's date and time
    bool vehicleId = false;    // the Log event's parts, in this order
    bool temperature = false;  //
    bool speed = false;        //
    bool gps = false;          //
    int speedUnit = 0;         // 0 km/h, 1 mile/h
    int temperatureUnit = 0;   // 0 Celsius, 1 Fahrenheit
};
