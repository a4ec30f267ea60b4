#include "app/ui/telemetry/SpeedDial.h"

#include "app/ui/telemetry/UnitConversions.h"

int SpeedDialIndex(int unit, int speed) {
    if (speed < 0)
        return -1;
    if (unit == kUnitImperial)
        return speed >= 60 ? 2 : speed > 34 ? 1 : 0;
    return speed >= 100 ? 2 : speed >= 60 ? 1 : 0;
}
