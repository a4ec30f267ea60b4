// The backward walks of CRingReader: each step follows the back link of the
// GOP header at or before the current data position.
#include <algorithm>

#include "player/disk/RingReader.h"
#include "player/source/GopWalk.h"
#include "player/source/Sectors.h"

GopReadResult CRingReader::MoveToStart() {
    MoveToPosition(0);
    return GopReadResult::Start;
}

// The sector at part 2's start links to the last GOP of part 1, which ends
// somewhere in the wrap part rather than at part1End: it is the highest GOP
// header below part1End with the linked size.
bool CRingReader::LinkAcrossWrap(uint64_t size, uint8_t* buffer, int length, GopLink* link) {
    const uint64_t top = RoundDownToSector(m_layout.part1End);
    const uint64_t window =
        std::min(RoundDownToSector(uint64_t(length)), RoundDownToSector(top - m_layout.oldestRaw));
    if (window == 0 || !ReadAt(top - window, buffer, window))
        return false;
    for (uint64_t offset = window; offset > 0;) {
        offset -= kSector;
        const uint8_t* sector = buffer + offset;
        const uint64_t raw = top - window + offset;
        if (StartsGop(sector) && GopStorageSize(ReadFrameHeader(sector).gopLength) == size &&
            raw + size <= m_layout.rawHigh) {
            *link = {raw - m_layout.oldestRaw, size, m_layout.Part1Length()};
            return true;
        }
    }
    return false;
}

GopReadResult CRingReader::FindBackLink(uint8_t* buffer, int length, GopLink* link) {
    const bool wrapPart = !m_inPart2 && m_layout.IsInWrapPart(m_rawPos);
    const uint64_t position = wrapPart ? m_layout.Part1Length() : PositionOf(m_rawPos, m_inPart2);
    if (position == kNoPosition)
        return GopReadResult::Start;
    const uint64_t total = m_layout.TotalLen();
    // Past the data's end lies stale data whose headers must not be followed;
    // the newest GOP is known from the open.
    if (position >= total && m_lastGopSize != 0) {
        *link = {m_lastGopPosition, m_lastGopSize, m_lastGopPosition};
        return GopReadResult::Read;
    }
    const uint64_t end = std::min(RoundUpToSector(position), total);
    for (uint64_t q = std::min(RoundUpToSector(position), RoundDownToSector(total));;
         q -= kSector) {
        const uint64_t at = RawOf(q);
        uint8_t sector[kSectorSize];
        if (!ReadSector(at, sector)) {
            if (q == 0)
                return MoveToStart();
            MoveToPosition(q - kSector);  // the next walk starts before it
            return GopReadResult::Failed;
        }
        GopLink found{};
        const LinkFound rule = GopBefore(sector, q, end, &found);
        if (rule == LinkFound::BeforeStart)
            break;
        if (rule == LinkFound::Yes) {
            // The back link of part 2's first GOP leads across the wrap.
            const bool followsLink = found.start != q;
            if (followsLink && m_layout.wrapped && at == m_layout.part2Start &&
                LinkAcrossWrap(found.size, buffer, length, link))
                return GopReadResult::Read;
            *link = found;
            return GopReadResult::Read;
        }
        if (q == 0)
            break;
    }
    return MoveToStart();
}

GopReadResult CRingReader::ScanBackward(int pass, uint8_t* buffer, int* length) {
    if (!IsOpen() || !UsableGopBuffer(buffer, length))
        return GopReadResult::NotOpen;
    return WalkGopsBackward(
        pass, buffer, length,
        [this](uint8_t* scratch, int size, GopLink* link) {
            return FindBackLink(scratch, size, link);
        },
        [this](uint64_t start) { MoveToPosition(start); },
        [this](const GopLink& link, uint8_t* into) {
            return ReadAt(m_rawPos, into, link.size) ? GopReadResult::Read : GopReadResult::Failed;
        });
}

GopReadResult CRingReader::ReadGopBack(uint8_t* buffer, int* length) {
    return ScanBackward(0, buffer, length);
}

GopReadResult CRingReader::SkipGopBack(int n, uint8_t* buffer, int* length) {
    if (n < 1)
        return GopReadResult::NotOpen;
    return ScanBackward(n, buffer, length);
}
