#include "player/disk/RingReader.h"

#include <algorithm>

#include "platform/base/File.h"
#include "player/source/GopWalk.h"
#include "player/source/Sectors.h"
#include "player/source/SeekHandle64.h"

void CRingReader::Attach(HANDLE device, uint64_t deviceBase, const RingLayout& bounds) {
    Detach();
    m_device = device;
    m_deviceBase = deviceBase;
    m_layout = bounds;
    m_block.Forget();
}

void CRingReader::Detach() {
    if (m_device != INVALID_HANDLE_VALUE)
        CloseHandle(m_device);
    m_device = INVALID_HANDLE_VALUE;
    m_layout = {};
    m_rawPos = 0;
    m_inPart2 = false;
    m_lastGopPosition = m_lastGopSize = 0;
    m_block.Forget();
}

void CRingReader::SetLastGop(uint64_t raw, uint64_t size) {
    m_lastGopPosition = PositionOf(raw, m_layout.wrapped);
    m_lastGopSize = m_lastGopPosition == kNoPosition ? 0 : size;
}

uint64_t CRingReader::PositionOf(uint64_t raw, bool inPart2) const {
    const RingLayout& l = m_layout;
    if (inPart2)
        return l.wrapped && l.part2Start <= raw && raw <= l.part2End
                   ? l.Part1Length() + (raw - l.part2Start)
                   : kNoPosition;
    return l.oldestRaw <= raw && raw <= l.part1End ? raw - l.oldestRaw : kNoPosition;
}

// The end of part 1 and the start of part 2 share a data position; no GOP
// starts at part1End, so the position stands for part 2's start.
uint64_t CRingReader::RawOf(uint64_t position) const {
    const RingLayout& l = m_layout;
    if (l.wrapped && position >= l.Part1Length())
        return l.part2Start + (position - l.Part1Length());
    return l.oldestRaw + position;
}

void CRingReader::MoveToPosition(uint64_t position) {
    m_rawPos = RawOf(position);
    m_inPart2 = m_layout.wrapped && position >= m_layout.Part1Length();
}

bool CRingReader::ReadAt(uint64_t raw, void* into, uint64_t size) {
    if (SeekHandle64(m_device, m_deviceBase + raw, FILE_BEGIN) == kSeekFailed)
        return false;
    DWORD got = 0;
    return ReadFile(m_device, into, DWORD(size), &got) && got == size;
}

bool CRingReader::ReadSector(uint64_t raw, uint8_t* sector) {
    return m_block.Read(
        raw, m_layout.rawHigh, sector,
        [this](uint64_t at, void* into, uint64_t size) { return ReadAt(at, into, size); });
}

int CRingReader::SeekRaw(uint64_t raw) {
    if (!IsOpen())
        return -1;
    const uint64_t at = RoundUpToSector(raw);
    if (at < m_layout.rawLow || at > m_layout.rawHigh)
        return -1;
    if (SeekHandle64(m_device, m_deviceBase + at, FILE_BEGIN) == kSeekFailed)
        return -1;
    m_rawPos = at;
    m_inPart2 = PositionOf(at, false) == kNoPosition && PositionOf(at, true) != kNoPosition;
    return 0;
}

int CRingReader::SeekLogical(uint64_t position) {
    const uint64_t rounded = RoundUpToSector(position);
    const uint64_t raw = m_layout.LogicalToRaw(rounded);
    if (raw == kNoPosition || SeekRaw(raw) != 0)
        return -1;
    MoveToPosition(rounded);
    return 0;
}

uint64_t CRingReader::Tellp() const {
    if (!IsOpen())
        return kNoPosition;
    if (!m_inPart2 && m_layout.IsInWrapPart(m_rawPos))
        return m_layout.Part1Length();
    return PositionOf(m_rawPos, m_inPart2);
}

// Finds the next sector that starts a GOP; m_rawPos is left at it.
GopReadResult CRingReader::FindForward(bool ring, uint64_t limit, uint8_t* sector) {
    for (;;) {
        uint64_t at = RoundUpToSector(m_rawPos);
        if (ring && !m_inPart2 && m_layout.IsInWrapPart(at)) {
            at = m_layout.part2Start;
            m_inPart2 = true;
        }
        // The data ends where the ring has no data position: past part 1 of
        // a ring that has not wrapped, past the end of part 2 of one that has.
        const uint64_t position = ring ? PositionOf(at, m_inPart2) : kNoPosition;
        if (ring && (position == kNoPosition || position >= m_layout.TotalLen())) {
            MoveToPosition(m_layout.TotalLen());
            return GopReadResult::End;
        }
        if (at >= std::min(m_layout.rawHigh, limit))
            return GopReadResult::End;
        m_rawPos = at + kSector;
        if (!ReadSector(at, sector))
            return GopReadResult::Failed;  // reported once; the next scan starts past it
        if (StartsGop(sector)) {
            m_rawPos = at;
            return GopReadResult::Read;
        }
    }
}

// Where the GOPs of the part the reader stands in must end: the newest GOP's
// end, or the ring's end for part 1 of a wrapped ring, whose last GOP may run
// into the reserve. A raw walk may read up to the ring's end.
uint64_t CRingReader::ReadableEnd(bool ring) const {
    if (!ring || (m_layout.wrapped && !m_inPart2))
        return m_layout.rawHigh;
    return m_layout.wrapped ? m_layout.part2End : m_layout.part1End;
}

bool CRingReader::FitsReadable(uint64_t raw, uint64_t size, bool ring) const {
    const uint64_t end = ReadableEnd(ring);
    return raw <= end && size <= end - raw;
}

GopReadResult CRingReader::ReadGopAt(uint64_t raw, uint64_t size, bool ring, uint8_t* buffer,
                                     int* length) {
    // A GOP that cannot be read, does not fit the buffer or runs past the
    // readable range (a damaged length field) is passed by its first sector,
    // so that the next read finds the GOP after it instead of failing again
    // or leaving the data.
    m_rawPos = raw + kSector;
    if (size > uint64_t(*length) || !FitsReadable(raw, size, ring) || !ReadAt(raw, buffer, size))
        return GopReadResult::Failed;
    m_rawPos = raw + size;
    *length = int(size);
    return GopReadResult::Read;
}

// A skip passes a GOP by its length, or by its first sector when that length
// runs past the readable range.
void CRingReader::PassGop(uint64_t size, bool ring) {
    m_rawPos += FitsReadable(m_rawPos, size, ring) ? size : kSector;
}

GopReadResult CRingReader::ScanForward(int pass, bool ring, uint64_t limit, uint8_t* buffer,
                                       int* length) {
    if (!IsOpen() || !UsableGopBuffer(buffer, length))
        return GopReadResult::NotOpen;
    return WalkGopsForward(
        pass, buffer, length,
        [this, ring, limit](uint8_t* sector) { return FindForward(ring, limit, sector); },
        [this, ring](uint64_t size, uint8_t* into, int* got) {
            return ReadGopAt(m_rawPos, size, ring, into, got);
        },
        [this, ring](uint64_t size) { PassGop(size, ring); },
        [this](uint64_t size) { m_rawPos -= size - kSector; });
}

GopReadResult CRingReader::ReadGop(uint8_t* buffer, int* length) {
    return ScanForward(0, true, kNoPosition, buffer, length);
}

GopReadResult CRingReader::SkipGop(int n, uint8_t* buffer, int* length) {
    if (n < 1)
        return GopReadResult::NotOpen;
    return ScanForward(n, true, kNoPosition, buffer, length);
}

GopReadResult CRingReader::ReadGopRaw(uint8_t* buffer, int* length, uint64_t scanLimit) {
    return ScanForward(0, false, scanLimit, buffer, length);
}
