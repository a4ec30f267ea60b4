// The display units of speed and temperature: the recorder stores km/h and
// degrees Celsius; the user chooses km/h (0) or mile/h (1) and Celsius (0) or
// Fahrenheit (1). Any other unit leaves the value unchanged.
#pragma once

#include <cmath>

inline double KmhToDisplaySpeed(int unit, double value) {
    return unit == 1 ? value * 0.622 : value;
}

inline double DisplaySpeedToKmh(int unit, double value) {
    return unit == 1 ? value * 1.608 : value;
}

inline double CelsiusToDisplayTemperature(int unit, double value) {
    return unit == 1 ? value * 9 / 5 + 32 : value;
}

inline double DisplayTemperatureToCelsius(int unit, double value) {
    return unit == 1 ? (value - 32) * 5 / 9 : value;
}

// Rounds halves away from zero (2.5 to 3, -2.5 to -3).
inline double RoundHalfAway(double value) {
    return value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5);
}
