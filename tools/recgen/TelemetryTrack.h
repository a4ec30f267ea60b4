// A vehicle driving along a route, second by second: GPS position, altitude,
// speed, G-sensor, temperature, voltage, alarm inputs, status bits and the
// tyres of a truck (tractor code 1 with one trailer of code 1: 6 tyres).
// Everything is a pure function of the time, so tests can recompute what a
// GOP carries.
#pragma once

#include <string>
#include <vector>

#include "tools/recgen/TelemetryBlock.h"

namespace recgen {

struct GeoPoint {
    double latitude;   // degrees, south negative
    double longitude;  // degrees, west negative
};

// The recorder's texts of a position: "DDMM.MMMM" + N/S, "DDDMM.MMMM" + E/W.
std::string LatitudeText(double degrees);
std::string LongitudeText(double degrees);
std::string AltitudeText(double metres);  // 7 characters, "%07.1f"

struct TelemetrySample {
    GeoPoint position;
    double altitude;
    double speedKmh;
    int gx, gy, gz;
    int temperature;
    double voltage;
    uint8_t alarmInputs;
    uint8_t statusBits;
};

class TelemetryTrack {
public:
    // The route is driven from its first point and back to it, over and over;
    // a route of one point stands still. An empty route uses a default loop.
    explicit TelemetryTrack(std::vector<GeoPoint> route = {}, std::string vehicleId = "GEN-0001");

    // The state `seconds` after the start (fractions allowed).
    TelemetrySample At(double seconds) const;
    // The telemetry block of the GOP starting `second`: `records` records
    // spread evenly over the second, in every sub-block.
    TelemetryBlock Block(int second, int records) const;

private:
    GeoPoint PositionAt(double metres) const;

    std::vector<GeoPoint> route_;
    std::vector<double> legStart_;  // metres driven when each leg begins
    double length_ = 0;
    std::string vehicleId_;
};

}  // namespace recgen
