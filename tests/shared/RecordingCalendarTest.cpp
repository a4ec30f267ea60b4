#include "shared/RecordingCalendar.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct CalendarCase {
    uint32_t time;
    int year, month, day, hour, minute, second;
};

// Broken down without any zone and back, on both sides of 2038-01-19 03:14:07,
// where a signed 32-bit count would turn negative.
TEST(RecordingCalendar, TimesBreakDownAndComeBackWithoutZone) {
    const CalendarCase cases[] = {
        {0u, 1970, 1, 1, 0, 0, 0},
        {1700000000u, 2023, 11, 14, 22, 13, 20},
        {2147483647u, 2038, 1, 19, 3, 14, 7},
        {2147483648u, 2038, 1, 19, 3, 14, 8},
        {4294967295u, 2106, 2, 7, 6, 28, 15},
    };
    for (const CalendarCase& c : cases) {
        const std::tm t = RecordingCalendar(c.time);
        EXPECT_EQ(t.tm_year + 1900, c.year) << c.time;
        EXPECT_EQ(t.tm_mon + 1, c.month) << c.time;
        EXPECT_EQ(t.tm_mday, c.day) << c.time;
        EXPECT_EQ(t.tm_hour, c.hour) << c.time;
        EXPECT_EQ(t.tm_min, c.minute) << c.time;
        EXPECT_EQ(t.tm_sec, c.second) << c.time;
        EXPECT_EQ(RecordingSeconds(t), int64_t(c.time));
    }
}

}  // namespace
