#include "app/ui/telemetry/OnPlayerData.h"

#include <type_traits>

#include "app/ui/telemetry/LatestTelemetry.h"

static_assert(sizeof(AlarmFlags) == kAlarmBytes);

void OnPlayerData(unsigned time, const char* vehicleId, const GpsText* gps, const int* gSensor,
                  float voltage, float speed, int temperature, const AlarmFlags* alarms, int,
                  const TpmsTyre*, int, int, int, int, int, int) {
    TelemetryInput in;
    in.time = time;
    in.vehicleId = vehicleId;
    in.gps = gps;
    in.gSensor = gSensor;
    in.voltage = voltage;
    in.speed = speed;
    in.temperature = temperature;
    in.alarms = alarms;
    g_LatestTelemetry.Merge(in);
}

static_assert(std::is_same_v<decltype(&OnPlayerData), zDataCallback>);
