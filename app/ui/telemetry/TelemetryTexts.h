// The texts the main window and the telemetry panel show for telemetry
// values and units.
#pragma once

#include <cstdint>
#include <ctime>

#include "platform/afx/String.h"

// "mile/h" for unit 1, else "km/h".
CString SpeedUnitText(int unit);
// U+2109 for unit 1, else U+2103.
CString TemperatureUnitText(int unit);
// "%d %s": "63 mile/h", "-5 ℃".
CString ValueWithUnitText(int value, const CString& unitText);
// "%2.1fV".
CString VoltageText(float volts);
// "%04d-%02d-%02d %02d:%02d:%02d".
CString CalendarTimeText(const std::tm& t);
