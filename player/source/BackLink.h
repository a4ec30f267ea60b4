// The one rule by which every backward walk (file pair, disk and card) picks
// the GOP before a position: walking down from `end` sector by sector, the
// first GOP header found decides. When that GOP itself ends at or before
// `end` (the walk started in filler, or past the last GOP), it is the one;
// otherwise its back link points at the one. Positions are data positions;
// the ring readers map them to raw offsets, the rule does not care.
#pragma once

#include <cstdint>

#include "player/source/Sectors.h"

struct GopLink {
    uint64_t start;  // data position of the GOP
    uint64_t size;   // its storage size
    uint64_t from;   // data position of the header that gave the link
};

enum class LinkFound {
    No,           // no GOP header at `at`, or one without a back link
    Yes,          // `link` is the GOP before `end`
    BeforeStart,  // the back link reaches before position 0
};

inline LinkFound GopBefore(const uint8_t* sector, uint64_t at, uint64_t end, GopLink* link) {
    if (!StartsGop(sector))
        return LinkFound::No;
    const FrameHeader header = ReadFrameHeader(sector);
    const uint64_t ownSize = GopStorageSize(header.gopLength);
    if (at < end && ownSize <= end - at) {
        *link = {at, ownSize, at};
        return LinkFound::Yes;
    }
    const uint64_t size = PreviousGopSize(header);
    if (size == 0)
        return LinkFound::No;
    if (size > at)
        return LinkFound::BeforeStart;
    *link = {at - size, size, at};
    return LinkFound::Yes;
}
