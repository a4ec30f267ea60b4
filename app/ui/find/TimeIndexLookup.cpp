#include "app/ui/find/TimeIndexLookup.h"

#include "app/shell/LibraryBinding.h"
#include "shared/IndexRing.h"

bool TimeEntryPosition(uint32_t entry, uint64_t* offset) {
    InxHd header{};
    InxUnit unit{};
    if (!Call_zTellTimeInxHd(&header) || !IsInUsedPart(header.first, header.last, entry) ||
        !Call_zTellTimeInxUnit(int(entry), &unit))
        return false;
    *offset = unit.offset;
    return true;
}

bool TimeSearchPosition(int64_t time, uint64_t* offset) {
    InxHd header{};
    if (!Call_zTellTimeInxHd(&header))
        return false;
    int64_t previousTime = 0;
    uint64_t previousOffset = 0;
    bool found = false;
    WalkUsedPart(header.first, header.last, [&](uint32_t i) {
        InxUnit unit{};
        if (!Call_zTellTimeInxUnit(int(i), &unit))
            return true;
        const int64_t unitTime = int32_t(unit.time);
        if (unitTime < time) {
            previousTime = unitTime;
            previousOffset = unit.offset;
            return true;
        }
        if (unitTime == time || previousTime != 0) {
            *offset = unitTime == time ? unit.offset : previousOffset;
            found = true;
        }
        return false;
    });
    return found;
}
