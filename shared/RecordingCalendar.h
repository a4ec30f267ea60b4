// The recorder's clock as calendar fields. A recording time counts seconds
// since 1970-01-01 00:00 of the recorder's own clock, which is written as it
// stands: it is broken down without any time-zone conversion.
#pragma once

#include <cstdint>
#include <ctime>

inline std::tm RecordingCalendar(uint32_t time) {
    const std::time_t seconds = std::time_t(time);
    std::tm fields{};
    gmtime_r(&seconds, &fields);
    return fields;
}
