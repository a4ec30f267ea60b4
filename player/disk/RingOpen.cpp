#include "player/disk/RingOpen.h"

#include <memory>

#include "format/gop/GopParser.h"
#include "player/source/Sectors.h"
#include "player/source/SourceProbe.h"
#include "shared/IndexRing.h"

std::optional<RingStart> FindRingStart(const TimeEntryReader& read, uint32_t first, uint32_t newest,
                                       uint64_t endRaw) {
    if (!IsEntryNumber(first) || !IsEntryNumber(newest))
        return std::nullopt;
    uint32_t i = PreviousEntry(newest);
    InxUnit unit{};
    bool haveUnit = read(i, &unit);
    // Each step's predecessor is the next step's entry: one read per step.
    for (uint32_t steps = 0; i != first && steps < kIndexRingSize; ++steps) {
        InxUnit before{};
        const bool haveBefore = read(PreviousEntry(i), &before);
        // Entries below the ring's end were overwritten by the newest lap,
        // the GOPs written after the newest entry included; one at the end
        // itself is the oldest GOP, written back to back with the newest.
        if (haveUnit && haveBefore && unit.offset >= endRaw && before.offset < endRaw)
            return RingStart{i, unit.offset, unit.time};
        i = PreviousEntry(i);
        unit = before;
        haveUnit = haveBefore;
    }
    return std::nullopt;
}

namespace {

struct RingEnd {
    uint64_t raw;
    uint32_t time;
    uint64_t lastGopRaw = 0;
    uint64_t lastGopSize = 0;
};

bool WalkToRingEnd(CRingReader& ring, const InxUnit& newest, RingEnd* end) {
    if (ring.SeekRaw(newest.offset) != 0)
        return false;
    *end = {newest.offset, newest.time};
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kGopBufferSize);
    const CGopParser parser;
    for (;;) {
        int length = kGopBufferSize;
        const uint64_t limit = RoundUpToSector(ring.RawPos()) + kEndWalkGap;
        FrameSet set{};
        if (ring.ReadGopRaw(buffer.get(), &length, limit) != GopReadResult::Read ||
            parser.Probe(buffer.get(), uint32_t(length), &set) != 0)
            return true;
        const uint32_t time = ReadFrameHeader(buffer.get()).time;
        if (time < newest.time)
            return true;
        *end = {ring.RawPos(), time, ring.RawPos() - uint64_t(length), uint64_t(length)};
    }
}

RingLayout LayoutOf(RingLayout bounds, uint64_t oldestRaw, const RingIndexEnds& ends,
                    uint64_t endRaw) {
    bounds.oldestRaw = oldestRaw;
    bounds.wrapped = ends.wrapped;
    if (!ends.wrapped) {
        bounds.part1End = endRaw;
        return bounds;
    }
    bounds.part1End = bounds.rawHigh >= ends.reserve ? bounds.rawHigh - ends.reserve : 0;
    bounds.part2Start = bounds.rawLow;
    bounds.part2End = endRaw;
    return bounds;
}

}  // namespace

bool OpenRing(CRingReader& ring, const TimeEntryReader& read, const RingIndexEnds& ends,
              RingOpening* opening) {
    InxUnit oldest{}, newest{};
    if (!read(ends.first, &oldest) || !read(ends.newest, &newest))
        return false;
    *opening = {};
    RingEnd end{};
    if (!WalkToRingEnd(ring, newest, &end))
        return false;
    if (ends.wrapped) {
        if (const std::optional<RingStart> start =
                FindRingStart(read, ends.first, ends.newest, end.raw)) {
            oldest.offset = start->raw;
            oldest.time = start->time;
            opening->startIndex = start->index;
        }
    }
    const RingLayout layout = LayoutOf(ring.Layout(), oldest.offset, ends, end.raw);
    if (!layout.Valid())
        return false;
    ring.SetLayout(layout);
    ring.SetLastGop(end.lastGopRaw, end.lastGopSize);
    opening->begTime = oldest.time;
    opening->endTime = end.time;
    if (ring.SeekRaw(layout.oldestRaw) != 0)
        return false;
    opening->probed = ProbeFirstGops(ring, &opening->probe);
    return ring.SeekRaw(layout.oldestRaw) == 0;
}
