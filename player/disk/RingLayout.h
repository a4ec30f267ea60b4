// The data ring of a recorder disk or card as one continuous range of data
// positions. Part 1 runs from the oldest GOP (`oldestRaw`) to `part1End`;
// once the ring has wrapped, part 2 runs from `part2Start` to `part2End` (the
// newest GOP's end) and follows part 1 in data positions. Raw offsets are
// those of the reader: relative to the disk's data partition, absolute on a
// card. Pure arithmetic on the stored offsets; no I/O.
#pragma once

#include <cstdint>

inline constexpr uint64_t kNoPosition = ~uint64_t(0);

struct RingLayout {
    uint64_t rawLow = 0;   // lowest raw offset of the ring (0, or the card's data start)
    uint64_t rawHigh = 0;  // highest raw offset: the partition's length, or the card's end
    uint64_t oldestRaw = 0;
    uint64_t part1End = 0;
    uint64_t part2Start = 0;
    uint64_t part2End = 0;
    bool wrapped = false;

    // True when the parts lie inside [rawLow, rawHigh] in order, so that no
    // length below is negative.
    bool Valid() const;

    uint64_t Part1Length() const { return part1End - oldestRaw; }
    uint64_t Part2Length() const { return wrapped ? part2End - part2Start : 0; }
    uint64_t TotalLen() const { return Part1Length() + Part2Length(); }

    // kNoPosition when the position or offset lies outside the readable range.
    uint64_t LogicalToRaw(uint64_t position) const;
    uint64_t RawToLogical(uint64_t raw) const;

    // The unreadable tail past part 1 of a wrapped ring: reading forward
    // there goes on at part2Start.
    bool IsInWrapPart(uint64_t raw) const { return wrapped && part1End <= raw && raw <= rawHigh; }
};
