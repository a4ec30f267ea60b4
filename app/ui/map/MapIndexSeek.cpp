#include "app/ui/map/MapIndexSeek.h"

#include "app/shell/LibraryBinding.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRing.h"

namespace {

// The position `time` falls on between the entries `before` and `at`.
uint64_t Interpolate(const InxUnit& before, const InxUnit& at, uint32_t time) {
    const int32_t span = int32_t(at.time - before.time);
    if (span <= 0)
        return at.offset;
    const float f = float(double(uint32_t(time - before.time)) / double(span));
    const long double distance = (long double)(int64_t(at.offset - before.offset));
    return uint64_t(int64_t((long double)(before.offset) + distance * f));
}

}  // namespace

bool FindTimeSeekTarget(uint32_t time, uint64_t* target) {
    InxHd header{};
    if (!Call_zTellTimeInxHd(&header))
        return false;
    const uint32_t count = EntrySpan(header.first, header.last);
    uint32_t i = header.first;
    for (uint32_t walked = 0; walked < count; ++walked, i = NextEntry(i)) {
        InxUnit unit{};
        if (!Call_zTellTimeInxUnit(int(i), &unit) || int32_t(unit.time) < int32_t(time))
            continue;
        if (i == header.first) {
            *target = unit.offset;
            return true;
        }
        InxUnit before{};
        if (!Call_zTellTimeInxUnit(int(PreviousEntry(i)), &before))
            return false;
        *target = Interpolate(before, unit, time);
        return true;
    }
    return false;
}

bool FindQuickSeekTarget(uint32_t record, uint64_t* target) {
    QuickInxHd quickHeader{};
    if (!Call_zTellQuickInxHd(&quickHeader))
        return false;
    // The quick header begins as an index header: magic, first, last.
    const uint32_t quickFirst = LoadU32(quickHeader.bytes + 4);
    const uint32_t quickLast = LoadU32(quickHeader.bytes + 8);
    InxHd header{};
    if (!IsInUsedPart(quickFirst, quickLast, record) || !Call_zTellTimeInxHd(&header) ||
        !IsInUsedPart(header.first, header.last, record))
        return false;
    QuickInxUnit unit{};
    InxUnit entry{};
    if (!Call_zTellQuickInxUnit(int(record), &unit) ||
        !Call_zTellTimeInxUnit(int(LoadU32(unit.bytes)), &entry))
        return false;
    *target = entry.offset;
    return true;
}
