#include "tools/recgen/TelemetryTrack.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "format/TelemetryLayout.h"
#include "shared/ClassicNumbers.h"

namespace recgen {
namespace {

constexpr double kEarthRadius = 6371000.0;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

double Distance(GeoPoint a, GeoPoint b) {
    const double dLat = Radians(b.latitude - a.latitude);
    const double dLon = Radians(b.longitude - a.longitude) * std::cos(Radians(a.latitude));
    return kEarthRadius * std::hypot(dLat, dLon);
}

// A loop of a few kilometres through a city grid.
std::vector<GeoPoint> DefaultRoute() {
    return {{52.5200, 13.4050}, {52.5300, 13.4050}, {52.5300, 13.4250}, {52.5150, 13.4300}};
}

std::string DegreesMinutes(double degrees, int degreeDigits, char positive, char negative) {
    const double a = std::fabs(degrees);
    int whole = int(a);
    long tenThousandths = std::lround((a - whole) * 60.0 * 10000.0);
    if (tenThousandths >= 600000) {  // rounding reached the next degree
        ++whole;
        tenThousandths -= 600000;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%0*d%02ld.%04ld%c", degreeDigits, whole,
                  tenThousandths / 10000, tenThousandths % 10000,
                  degrees < 0 ? negative : positive);
    return text;
}

}  // namespace

std::string LatitudeText(double degrees) {
    return DegreesMinutes(degrees, 2, 'N', 'S');
}
std::string LongitudeText(double degrees) {
    return DegreesMinutes(degrees, 3, 'E', 'W');
}

std::string AltitudeText(double metres) {
    const ClassicNumberScope classicNumbers;  // the recorder writes a point
    char text[48];
    std::snprintf(text, sizeof text, "%07.1f", metres);
    return text;
}

TelemetryTrack::TelemetryTrack(std::vector<GeoPoint> route, std::string vehicleId)
    : route_(route.empty() ? DefaultRoute() : std::move(route)), vehicleId_(std::move(vehicleId)) {
    // Closing the loop: the last leg leads back to the first point.
    for (std::size_t i = 0; i < route_.size(); ++i) {
        legStart_.push_back(length_);
        length_ += Distance(route_[i], route_[(i + 1) % route_.size()]);
    }
}

GeoPoint TelemetryTrack::PositionAt(double metres) const {
    if (length_ <= 0)
        return route_.front();
    const double along = std::fmod(metres, length_);
    std::size_t leg = route_.size() - 1;
    while (leg > 0 && legStart_[leg] > along)
        --leg;
    const GeoPoint a = route_[leg], b = route_[(leg + 1) % route_.size()];
    const double legLength = Distance(a, b);
    const double t = legLength > 0 ? (along - legStart_[leg]) / legLength : 0;
    return {a.latitude + t * (b.latitude - a.latitude),
            a.longitude + t * (b.longitude - a.longitude)};
}

TelemetrySample TelemetryTrack::At(double s) const {
    // Speed swings between 30 and 70 km/h over a minute; the distance is its integral.
    const double w = 2 * std::numbers::pi / 60.0;
    const double speed = 50.0 + 20.0 * std::sin(w * s);
    const double metres = (50.0 * s + 20.0 * (1 - std::cos(w * s)) / w) / 3.6;
    const double acceleration = 20.0 * w * std::cos(w * s) / 3.6;  // m/s^2
    const int second = int(std::floor(s));
    TelemetrySample x{};
    x.position = PositionAt(metres);
    x.altitude = 35.0 + 10.0 * std::sin(s / 30.0);
    x.speedKmh = std::round(speed * 10.0) / 10.0;
    x.gx = int(std::lround(acceleration * 10.0));
    x.gy = int(std::lround(3.0 * std::sin(s / 7.0)));
    x.gz = 64 + (second % 3) - 1;
    x.temperature = 20 + int(std::lround(5.0 * std::sin(s / 120.0)));
    x.voltage = std::round((24.0 + 0.4 * std::sin(s / 11.0)) * 10.0) / 10.0;
    x.alarmInputs = uint8_t((second % 10 == 0 ? 0x01 : 0x00) | (second % 20 < 5 ? 0x20 : 0x00));
    x.statusBits = uint8_t((second / 5) % 16);
    return x;
}

TelemetryBlock TelemetryTrack::Block(int second, int records) const {
    TelemetryBlock b;
    b.vehicle.emplace();
    b.speed.emplace();
    b.gps.emplace();
    b.gsensor.emplace();
    b.voltage.emplace();
    for (int k = 0; k < records; ++k) {
        const TelemetrySample x = At(second + double(k) / records);
        b.vehicle->push_back({vehicleId_, int8_t(x.temperature), x.alarmInputs, x.statusBits});
        b.speed->push_back(telemetry::TenthsWord(float(x.speedKmh)));
        b.gps->push_back({LatitudeText(x.position.latitude), LongitudeText(x.position.longitude),
                          AltitudeText(x.altitude)});
        b.gsensor->push_back({int8_t(x.gx), int8_t(x.gy), int8_t(x.gz)});
        b.voltage->push_back(telemetry::TenthsWord(float(x.voltage)));
    }
    TyreBlock tyres{.recordCount = uint16_t(records),
                    .tyres = {},
                    .truck = {.tractor = 1, .trailer1 = 1, .trailer2 = 0, .axleFlags = 0x0B}};
    for (uint8_t id = 1; id <= 6; ++id) {
        // Tyre 6 loses pressure for 5 seconds out of every 30 (status bit 2: valid, bit 4: alarm).
        const bool low = id == 6 && second % 30 < 5;
        tyres.tyres.push_back({id, uint8_t(low ? 0x14 : 0x04), uint8_t(30 + id + second % 4),
                               uint8_t(low ? 60 : 95 + id)});
    }
    b.tyres = tyres;
    return b;
}

}  // namespace recgen
