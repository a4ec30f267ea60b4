#include "app/ui/find/FindTexts.h"

#include "app/shell/CalendarTime.h"
#include "shared/RecordingCalendar.h"

CString FormatRecordingTime(uint32_t time) {
    const std::tm utc = RecordingCalendar(time);
    CString text;
    text.Format(L"%04d/%02d/%02d %02d:%02d:%02d", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

CString FormatDataPosition(uint64_t offset) {
    CString text;
    text.Format(L"%lld", static_cast<long long>(offset));
    return text;
}

int64_t PickedTimeToSeconds(const SYSTEMTIME& picked) {
    SYSTEMTIME minute = picked;
    minute.wSecond = 0;
    return SecondsOfCalendarTime(minute);
}
