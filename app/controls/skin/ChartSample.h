// One point of the G-sensor chart, kept 80 at a time by the main window and
// handed to the chart control; only the G values are drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// Calendar time as nine 32-bit fields in the C library's order. The platform's
// struct tm carries more (a zone offset and name), which would change the
// sample's 60-byte layout.
struct ChartTime {
    int32_t tm_sec = 0;
    int32_t tm_min = 0;
    int32_t tm_hour = 0;
    int32_t tm_mday = 0;
    int32_t tm_mon = 0;
    int32_t tm_year = 0;
    int32_t tm_wday = 0;
    int32_t tm_yday = 0;
    int32_t tm_isdst = 0;

    ChartTime() = default;
    explicit ChartTime(const std::tm& t)
        : tm_sec(t.tm_sec),
          tm_min(t.tm_min),
          tm_hour(t.tm_hour),
          tm_mday(t.tm_mday),
          tm_mon(t.tm_mon),
          tm_year(t.tm_year),
          tm_wday(t.tm_wday),
          tm_yday(t.tm_yday),
          tm_isdst(t.tm_isdst) {}
};

struct ChartSample {
    float gx = 0;  // g
    float gy = 0;
    float gz = 0;
    int speed = 0;  // the display unit
    float temperature = 0;
    ChartTime time;
    uint8_t timeValid = 0;
    uint8_t gValid = 0;
    uint8_t speedValid = 0;
    uint8_t temperatureValid = 0;
};

static_assert(sizeof(ChartTime) == 36);
static_assert(sizeof(ChartSample) == 60 && offsetof(ChartSample, time) == 20 &&
              offsetof(ChartSample, timeValid) == 56);
