// Which dial picture the telemetry panel shows for a speed in the display
// unit: 0 below 60 km/h (35 mile/h), 1 up to 100 km/h (60 mile/h), 2 from
// there on.
#pragma once

// 0..2; -1 for a negative speed, which leaves the dial as it is.
int SpeedDialIndex(int unit, int speed);
