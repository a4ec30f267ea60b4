// Recording times (seconds since 1970-01-01 00:00) as calendar fields and
// back, without any time-zone conversion: the recorder writes its local
// clock as it stands, and the program shows it the same way.
#pragma once

#include <cstdint>

#include "platform/base/SystemTime.h"

SYSTEMTIME CalendarTimeOf(int64_t seconds);
int64_t SecondsOfCalendarTime(const SYSTEMTIME& time);
// The time with its seconds set to 0.
int64_t WholeMinuteOf(int64_t seconds);
