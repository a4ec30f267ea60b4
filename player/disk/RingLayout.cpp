#include "player/disk/RingLayout.h"

bool RingLayout::Valid() const {
    const bool part1 = rawLow <= oldestRaw && oldestRaw <= part1End && part1End <= rawHigh;
    const bool part2 =
        !wrapped || (rawLow <= part2Start && part2Start <= part2End && part2End <= rawHigh);
    return part1 && part2;
}

uint64_t RingLayout::LogicalToRaw(uint64_t position) const {
    if (position > TotalLen())
        return kNoPosition;
    if (position <= Part1Length())
        return oldestRaw + position;
    return part2Start + (position - Part1Length());
}

uint64_t RingLayout::RawToLogical(uint64_t raw) const {
    if (raw < rawLow || raw > rawHigh)
        return kNoPosition;
    if (oldestRaw <= raw && raw <= part1End)
        return raw - oldestRaw;
    if (wrapped && part2Start <= raw && raw <= part2End)
        return Part1Length() + (raw - part2Start);
    return kNoPosition;
}
