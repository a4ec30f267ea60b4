// Speed and temperature between the recorder's units (km/h, degrees Celsius)
// and the display unit the user chose; the telemetry thread shows values
// with them and the search dialogs turn the user's limits back. Unit 1 is
// mile/h or Fahrenheit; any other unit leaves the value as it is.
#pragma once

inline constexpr int kUnitMetric = 0;    // km/h, Celsius
inline constexpr int kUnitImperial = 1;  // mile/h, Fahrenheit

double KmhToDisplaySpeed(int unit, double kmh);
double DisplaySpeedToKmh(int unit, double value);
double CelsiusToDisplayTemperature(int unit, double celsius);
double DisplayTemperatureToCelsius(int unit, double value);

// Halves are rounded away from zero: 62.5 gives 63, -62.5 gives -63.
double RoundHalfAway(double value);
// RoundHalfAway as an int, held within the int range (a NaN gives 0), so
// that no value a recorder sends makes the conversion undefined.
int RoundToInt(double value);
