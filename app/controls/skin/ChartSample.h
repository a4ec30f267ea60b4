// One point of the G-sensor chart, kept 80 at a time by the main window and
// handed to the chart control; only the G values are drawn.
#pragma once

#include <cstdint>
#include <ctime>

struct ChartSample {
    float gx = 0;  // g
    float gy = 0;
    float gz = 0;
    int speed = 0;  // the display unit
    float temperature = 0;
    struct tm time {};
    uint8_t timeValid = 0;
    uint8_t gValid = 0;
    uint8_t speedValid = 0;
    uint8_t temperatureValid = 0;
};
