// The GOP walks of the disk and card readers over one device handle: forward
// sector scans and back-link walks on data positions of a RingLayout, with
// the crossings between the ring's two parts, and the plain forward scan on
// raw offsets that the open uses before the layout is known.
//
// Results are GopReadResult codes; buffers and lengths as for CFileSource
// (in: the buffer size; out: the GOP's length rounded up to 512).
//
// Damage never stalls a walk: an unreadable sector or GOP, a GOP larger than
// the buffer or one whose length runs past the readable range gives Failed
// once and the next read starts past its first sector (forward) or before it
// (backward). A forward search ends where the ring has no data position, so
// it never scans the unused rest of the device nor runs into the older lap.
//
// Threads: no lock; the owning reader's caller serialises every call.
// Ownership: the reader owns the handle it was attached to and closes it in
// Detach.
#pragma once

#include <cstdint>

#include "platform/base/Handle.h"
#include "player/disk/RingLayout.h"
#include "player/disk/SectorBlock.h"
#include "player/source/BackLink.h"
#include "player/source/GopReadResult.h"

class CRingReader {
public:
    CRingReader() = default;
    CRingReader(const CRingReader&) = delete;
    CRingReader& operator=(const CRingReader&) = delete;
    ~CRingReader() { Detach(); }

    // Takes `device`; raw offset r is read at device offset deviceBase + r.
    // Only the layout's rawLow and rawHigh count until SetLayout.
    void Attach(HANDLE device, uint64_t deviceBase, const RingLayout& bounds);
    void SetLayout(const RingLayout& layout) { m_layout = layout; }
    void Detach();

    bool IsOpen() const { return m_device != INVALID_HANDLE_VALUE; }
    HANDLE Device() const { return m_device; }
    const RingLayout& Layout() const { return m_layout; }
    uint64_t RawPos() const { return m_rawPos; }

    // The newest GOP of the ring, found by the open: where a backward walk
    // from the end of the data starts. Size 0: not known. After SetLayout.
    void SetLastGop(uint64_t raw, uint64_t size);

    // Raw offset rounded up to 512, inside [rawLow, rawHigh]; 0 or -1.
    int SeekRaw(uint64_t raw);
    // Data position; -1 when it has no raw offset or the seek fails.
    int SeekLogical(uint64_t position);
    // Data position of the current raw offset; the wrap part counts as the
    // start of part 2. kNoPosition when closed or outside the data.
    uint64_t Tellp() const;

    GopReadResult ReadGop(uint8_t* buffer, int* length);
    GopReadResult SkipGop(int n, uint8_t* buffer, int* length);
    // Forward on raw offsets alone, never crossing to part 2; ends at
    // min(rawHigh, scanLimit) when no GOP starts before it.
    GopReadResult ReadGopRaw(uint8_t* buffer, int* length, uint64_t scanLimit = kNoPosition);
    GopReadResult ReadGopBack(uint8_t* buffer, int* length);
    GopReadResult SkipGopBack(int n, uint8_t* buffer, int* length);

    // Reads `size` bytes at a raw offset; false on a short or failed read.
    bool ReadAt(uint64_t raw, void* into, uint64_t size);

private:
    // One sector for the header searches, through the block kept last.
    bool ReadSector(uint64_t raw, uint8_t* sector);
    // A raw offset may lie in both parts when the oldest GOP starts where the
    // newest ends (a recorder writes back to back): the part the reader is
    // in decides which data position it has.
    uint64_t PositionOf(uint64_t raw, bool inPart2) const;
    uint64_t RawOf(uint64_t position) const;
    void MoveToPosition(uint64_t position);

    GopReadResult FindForward(bool ring, uint64_t limit, uint8_t* sector);
    GopReadResult ScanForward(int pass, bool ring, uint64_t limit, uint8_t* buffer, int* length);
    uint64_t ReadableEnd(bool ring) const;
    bool FitsReadable(uint64_t raw, uint64_t size, bool ring) const;
    GopReadResult ReadGopAt(uint64_t raw, uint64_t size, bool ring, uint8_t* buffer, int* length);
    void PassGop(uint64_t size, bool ring);
    GopReadResult FindBackLink(uint8_t* buffer, int length, GopLink* link);
    bool LinkAcrossWrap(uint64_t size, uint8_t* buffer, int length, GopLink* link);
    GopReadResult ScanBackward(int pass, uint8_t* buffer, int* length);
    GopReadResult MoveToStart();

    HANDLE m_device = INVALID_HANDLE_VALUE;
    uint64_t m_deviceBase = 0;
    RingLayout m_layout;
    uint64_t m_rawPos = 0;
    bool m_inPart2 = false;  // m_rawPos belongs to part 2 of a wrapped ring
    uint64_t m_lastGopPosition = 0;
    uint64_t m_lastGopSize = 0;
    CSectorBlock m_block;
};
