// One index area of an SD card, read through a raw device handle of its own
// by whole 512-byte sectors (a raw device accepts nothing else): record i of
// `recordSize` bytes lies in the sector at start + (recordSize × i rounded
// down to 512). The last sector read is kept, so that walking the entries of
// one sector reads it once; the card is never written, so it never goes stale.
// Threads: no lock; the owning reader's caller serialises every call.
// Ownership: owns its handle.
#pragma once

#include <cstdint>

#include "format/FrameHeader.h"
#include "platform/base/Handle.h"

inline constexpr uint64_t kNoArea = ~uint64_t(0);

class CIndexArea {
public:
    explicit CIndexArea(uint32_t recordSize) : m_recordSize(recordSize) {}
    CIndexArea(const CIndexArea&) = delete;
    CIndexArea& operator=(const CIndexArea&) = delete;
    ~CIndexArea() { Close(); }

    void Place(uint64_t start, uint64_t length) { m_start = start, m_length = length; }
    uint64_t Start() const { return m_start; }
    uint64_t Length() const { return m_length; }

    // Takes `device`, a handle on the card.
    void Attach(HANDLE device);
    void Close();
    bool IsOpen() const { return m_device != INVALID_HANDLE_VALUE; }

    // Record `index` (0: the header); false outside the area or on a failing read.
    bool Read(uint32_t index, void* record);

private:
    uint32_t m_recordSize;
    uint64_t m_start = kNoArea;
    uint64_t m_length = kNoArea;
    HANDLE m_device = INVALID_HANDLE_VALUE;
    uint64_t m_cachedSector = kNoArea;  // offset of `m_sector`; kNoArea: none
    uint8_t m_sector[kSectorSize] = {};
};
