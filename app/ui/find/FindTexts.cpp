#include "app/ui/find/FindTexts.h"

#include <ctime>

CString FormatRecordingTime(uint32_t time) {
    const time_t seconds = time_t(int32_t(time));
    std::tm utc{};
    gmtime_r(&seconds, &utc);
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
    std::tm utc{};
    utc.tm_year = picked.wYear - 1900;
    utc.tm_mon = picked.wMonth - 1;
    utc.tm_mday = picked.wDay;
    utc.tm_hour = picked.wHour;
    utc.tm_min = picked.wMinute;
    return int64_t(timegm(&utc));
}
