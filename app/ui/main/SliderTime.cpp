#include "app/ui/main/SliderTime.h"

#include "app/shell/LibraryBinding.h"
#include "app/ui/main/TimeIndexPlace.h"
#include "shared/IndexRing.h"
#include "shared/RecordingCalendar.h"

namespace {

constexpr float kOnEntry = 0.02f;

CString FormatTime(int64_t seconds) {
    const std::tm t = RecordingCalendar(seconds);
    CString text;
    text.Format(L"%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

CString FormatRange(int64_t from, int64_t to, int percent) {
    const std::tm t = RecordingCalendar(to);
    CString text;
    text.Format(L"%s ~ %04d-%02d-%02d %02d:%02d:%02d (%d%%)", FormatTime(from).GetString(),
                t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, percent);
    return text;
}

bool EntryTime(uint32_t entry, int64_t* time) {
    InxUnit unit{};
    if (!Call_zTellTimeInxUnit(int(entry), &unit))
        return false;
    *time = unit.time;
    return true;
}

CString EndTimeText() {
    const int begin = Call_zTellBegTime();
    const int end = Call_zTellEndTime();
    return begin > 0 && end > 0 ? FormatTime(end) : CString();
}

}  // namespace

CString FormatSliderTime(int percent) {
    if (percent == 100)
        return EndTimeText();
    InxHd header{};
    if (!Call_zTellTimeInxHd(&header))
        return CString();
    const TimeIndexPlace place(header, percent / 100.0);
    int64_t b = 0, d = 0;
    if (!IsInUsedPart(header.first, header.last, place.entry) || !EntryTime(place.entry, &b))
        return CString();
    if (place.frac <= kOnEntry)
        return FormatTime(b);
    if (!EntryTime(NextEntry(place.entry), &d))
        return CString();
    if (place.count >= 100)
        return FormatRange(b, d, percent);
    int64_t step = int64_t(double(d - b) * (place.count / 100.0));
    if (step < 1)
        step = 1;
    const int64_t target = int64_t(double(d - b) * double(place.frac) + double(b));
    int64_t t = b;
    while (t + step < target)
        t += step;
    return FormatRange(t, t + step, percent);
}
