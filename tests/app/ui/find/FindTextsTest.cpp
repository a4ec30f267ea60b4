#include <gtest/gtest.h>

#include <cstdint>

#include "app/ui/find/FindTexts.h"

namespace {

struct TimeCase {
    uint32_t time;
    const wchar_t* text;
};

// Recording times are unsigned: the times from 2038-01-19 03:14:08 on have
// the top bit set and must still read as their own dates, up to 2106.
TEST(FindTexts, RecordingTimesShowTheirCalendarDate) {
    const TimeCase cases[] = {
        {0u, L"1970/01/01 00:00:00"},          {1700000000u, L"2023/11/14 22:13:20"},
        {2147483647u, L"2038/01/19 03:14:07"}, {2147483648u, L"2038/01/19 03:14:08"},
        {2200000000u, L"2039/09/18 23:06:40"}, {4294967295u, L"2106/02/07 06:28:15"},
    };
    for (const TimeCase& c : cases)
        EXPECT_STREQ(FormatRecordingTime(c.time).GetString(), c.text) << c.time;
}

}  // namespace
