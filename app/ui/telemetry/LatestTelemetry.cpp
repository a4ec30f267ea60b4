#include "app/ui/telemetry/LatestTelemetry.h"

#include <cmath>
#include <cstring>

LatestTelemetry g_LatestTelemetry;

bool IsGivenMeasure(float value) {
    return std::isfinite(value) && value >= 0.0f;
}

bool IsGivenTemperature(int celsius) {
    return celsius >= -127 && celsius <= 128;
}

namespace {

// Copies at most 16 bytes and stops at the text's end, so a shorter text is
// never read past its terminator; the rest of the field is zeroed.
void CopyVehicleId(char (&out)[kVehicleIdBytes + 1], const char* id) {
    std::memset(out, 0, sizeof out);
    for (int i = 0; i < kVehicleIdBytes && id[i] != '\0'; ++i)
        out[i] = id[i];
}

}  // namespace

void LatestTelemetry::Merge(const TelemetryInput& in) {
    std::lock_guard<std::mutex> hold(m_lock);
    TelemetryRecord& r = m_record;
    r.time = in.time;
    if (in.vehicleId != nullptr)
        CopyVehicleId(r.vehicleId, in.vehicleId);
    if (in.gps != nullptr)
        r.gps = *in.gps;
    if (in.gSensor != nullptr)
        std::memcpy(r.gSensor, in.gSensor, sizeof r.gSensor);
    if (IsGivenMeasure(in.speed))
        r.speed = in.speed;
    if (IsGivenMeasure(in.voltage))
        r.voltage = in.voltage;
    if (IsGivenTemperature(in.temperature))
        r.temperature = in.temperature;
    if (in.alarms != nullptr)
        std::memcpy(r.alarms, in.alarms, sizeof r.alarms);
}

TelemetryRecord LatestTelemetry::Snapshot() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_record;
}

void LatestTelemetry::Reset() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_record = TelemetryRecord();
}

unsigned LatestTelemetry::Time() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_record.time;
}
