#include "app/ui/find/IndexLists.h"

#include "app/shell/LibraryBinding.h"
#include "app/ui/find/FindTexts.h"
#include "app/ui/find/QuickRecord.h"
#include "shared/IndexRing.h"

namespace {

constexpr int64_t kHour = 3600;

// Which time-index units get a row: the first, every unit on a full hour,
// the first unit an hour or more after the last anchor, and every unit with
// event type bits in between.
class HourlyThinning {
public:
    bool TakesRow(int64_t t, uint32_t event) {
        if (m_rows == 0 || m_anchor == 0)
            m_anchor = t - t % kHour;
        else if (t % kHour == 0)
            m_anchor = t;
        else if (t - m_anchor >= kHour)
            m_anchor = t / 60 * 60;
        else if (!EventWord::HasTypeBits(event))
            return false;
        ++m_rows;
        return true;
    }

private:
    int64_t m_anchor = 0;
    int m_rows = 0;
};

bool ReadTimeUnit(uint32_t i, InxUnit* unit) {
    return Call_zTellTimeInxUnit(int(i), unit);
}

bool IsDeviceSource() {
    const int type = Call_zTellOpenedType();
    return type == OPENED_DISK || type == OPENED_CARD;
}

}  // namespace

void ListTimeIndex(const EventNames& names, FindRowSink& sink) {
    InxHd header{};
    if (!Call_zTellTimeInxHd(&header))
        return;
    HourlyThinning thinning;
    WalkUsedPart(header.first, header.last, [&](uint32_t i) {
        InxUnit unit{};
        if (!ReadTimeUnit(i, &unit) || !thinning.TakesRow(int32_t(unit.time), unit.event))
            return true;
        return sink.Add({FormatRecordingTime(unit.time), FormatDataPosition(unit.offset),
                         TimeUnitStatusText(names, unit.event)});
    });
}

void ListEventIndex(const EventNames& names, FindRowSink& sink) {
    InxHd time{}, events{};
    if (!IsDeviceSource() || !Call_zTellTimeInxHd(&time) || !Call_zTellEvtInxHd(&events))
        return;
    WalkUsedPart(events.first, events.last, [&](uint32_t i) {
        InxUnit unit{};
        if (!Call_zTellEvtInxUnit(int(i), &unit) ||
            !IsInUsedPart(time.first, time.last, EventWord::Decode(unit.event).timeEntry))
            return true;
        return sink.Add({FormatRecordingTime(unit.time), FormatDataPosition(unit.offset),
                         EventStatusText(names, unit.event)});
    });
}

void ListQuickSearch(const QuickSearch& search, const FindUnits& units, FindRowSink& sink) {
    InxHd time{};
    QuickInxHd quick{};
    if (!Call_zTellTimeInxHd(&time) || !Call_zTellQuickInxHd(&quick))
        return;
    const QuickRecordTest test(search, units);
    WalkUsedPart(QuickFirstRecord(quick), QuickLastRecord(quick), [&](uint32_t n) {
        QuickInxUnit unit{};
        if (!Call_zTellQuickInxUnit(int(n), &unit))
            return true;
        const uint32_t entry = QuickRecord(unit).TimeEntry();
        if (!IsInUsedPart(time.first, time.last, entry) || !test(unit))
            return true;
        InxUnit timeUnit{};
        const bool timeKnown = ReadTimeUnit(entry, &timeUnit);
        return sink.Add(QuickResultCells(unit, timeKnown ? &timeUnit : nullptr, units));
    });
}
