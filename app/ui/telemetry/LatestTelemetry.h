// The telemetry of the latest GOP: the player's data callback merges each
// GOP's values in on the playback thread, the telemetry thread takes a copy
// every pass and clears it after a stop or a seek.
//
// Threads: any. One lock guards the record, so a merge, a snapshot and a
// reset each see and leave a whole record, never half of two GOPs.
#pragma once

#include <mutex>

#include "app/ui/telemetry/TelemetryRecord.h"

// The values of one data callback; null pointers and out-of-range numbers
// mean "not given".
struct TelemetryInput {
    unsigned time = 0;
    const char* vehicleId = nullptr;  // up to 16 bytes, zero-terminated when shorter
    const GpsText* gps = nullptr;
    const int* gSensor = nullptr;  // x, y, z
    float voltage = -1.0f;
    float speed = -1.0f;
    int temperature = kNoTemperature;
    const AlarmFlags* alarms = nullptr;
};

class LatestTelemetry {
public:
    // The time is always taken; every other value only when given, so a
    // missing one keeps what an earlier GOP said.
    void Merge(const TelemetryInput& in);
    TelemetryRecord Snapshot() const;
    // Back to the values at program start, as after a stop or a seek: no
    // value at all, so that one the next recording never gives is never
    // shown as a number.
    void Reset();
    unsigned Time() const;

private:
    mutable std::mutex m_lock;
    TelemetryRecord m_record;  // guarded by m_lock
};

extern LatestTelemetry g_LatestTelemetry;

// Speed and voltage are taken when they are numbers of at least 0 and
// finite (NaN and infinity are "not given").
bool IsGivenMeasure(float value);
// -127..128 degrees.
bool IsGivenTemperature(int celsius);
