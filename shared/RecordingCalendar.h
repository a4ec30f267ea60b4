// The recorder's clock as calendar fields and back. A recording time counts
// seconds since 1970-01-01 00:00 of the recorder's own clock, which is written
// as it stands: it is broken down without any time-zone conversion.
//
// Recording times are unsigned 32-bit values: pass them as they are (they
// widen without sign, so the times from 2038-01-19 on keep their dates up to
// 2106); never through a signed 32-bit value.
#pragma once

#include <cstdint>
#include <ctime>

inline std::tm RecordingCalendar(int64_t seconds) {
    const std::time_t t = std::time_t(seconds);
    std::tm fields{};
    gmtime_r(&t, &fields);
    return fields;
}

// The inverse: calendar fields (normalised as timegm does) as seconds.
inline int64_t RecordingSeconds(std::tm fields) {
    return int64_t(timegm(&fields));
}
