// The program's data callback (zDataCallback), given to zInit: the player
// calls it once per GOP on its playback thread. It stores the time, vehicle
// id, GPS text, G-sensor values, voltage, speed, temperature and alarm flags
// in g_LatestTelemetry; the tyre and truck-layout arguments are not used.
#pragma once

#include "shared/PlayerInterface.h"

void OnPlayerData(unsigned time, const char* vehicleId, const GpsText* gps, const int* gSensor,
                  float voltage, float speed, int temperature, const AlarmFlags* alarms,
                  int tyreCount, const TpmsTyre* tyres, int tractor, int zero1, int zero2,
                  int axle1, int axle2, int axle3);
