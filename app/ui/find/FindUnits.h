// The display units the find dialog shows and reads values in, copied from
// the main window each time the dialog is prepared.
#pragma once

#include "platform/afx/String.h"

struct FindUnits {
    int speedUnit = 0;  // 0 km/h, 1 mile/h
    CString speedUnitText;
    int temperatureUnit = 0;  // 0 Celsius, 1 Fahrenheit
    CString temperatureUnitText;
};
