// Temperatures as the export shows them in Fahrenheit.
#pragma once

// t x 9 / 5 + 32 computed in floating point and truncated toward zero
// (-3 degrees Celsius give 26).
inline int CelsiusToFahrenheit(int celsius) {
    return int(celsius * 9.0 / 5.0 + 32.0);
}
