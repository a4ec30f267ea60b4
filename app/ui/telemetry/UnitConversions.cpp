#include "app/ui/telemetry/UnitConversions.h"

#include <climits>
#include <cmath>

double KmhToDisplaySpeed(int unit, double kmh) {
    return unit == kUnitImperial ? kmh * 0.622 : kmh;
}

double DisplaySpeedToKmh(int unit, double value) {
    return unit == kUnitImperial ? value * 1.608 : value;
}

double CelsiusToDisplayTemperature(int unit, double celsius) {
    return unit == kUnitImperial ? celsius * 9 / 5 + 32 : celsius;
}

double DisplayTemperatureToCelsius(int unit, double value) {
    return unit == kUnitImperial ? (value - 32) * 5 / 9 : value;
}

double RoundHalfAway(double value) {
    return value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5);
}

int RoundToInt(double value) {
    const double rounded = RoundHalfAway(value);
    if (std::isnan(rounded))
        return 0;
    if (rounded >= double(INT_MAX))
        return INT_MAX;
    if (rounded <= double(INT_MIN))
        return INT_MIN;
    return int(rounded);
}
