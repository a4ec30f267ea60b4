#include "app/shell/CalendarTime.h"

#include "shared/RecordingCalendar.h"

SYSTEMTIME CalendarTimeOf(int64_t seconds) {
    const std::tm parts = RecordingCalendar(seconds);
    return SYSTEMTIME{WORD(parts.tm_year + 1900), WORD(parts.tm_mon + 1),
                      WORD(parts.tm_wday),        WORD(parts.tm_mday),
                      WORD(parts.tm_hour),        WORD(parts.tm_min),
                      WORD(parts.tm_sec),         0};
}

int64_t SecondsOfCalendarTime(const SYSTEMTIME& time) {
    std::tm parts{};
    parts.tm_year = time.wYear - 1900;
    parts.tm_mon = time.wMonth - 1;
    parts.tm_mday = time.wDay;
    parts.tm_hour = time.wHour;
    parts.tm_min = time.wMinute;
    parts.tm_sec = time.wSecond;
    return RecordingSeconds(parts);
}

int64_t WholeMinuteOf(int64_t seconds) {
    return seconds - (seconds % 60 + 60) % 60;
}
