// The block of a device that the ring reader's header searches read last.
// A search looks at one sector after another, forward or backward; reading
// the aligned block around a sector and answering its neighbours from it
// takes one read call for 128 sectors instead of two calls (seek and read)
// for each. Over a damaged or empty stretch of a large disk that is what
// makes a search take seconds instead of many minutes.
//
// A block that cannot be read whole (an unreadable sector in it, the end of
// the device) is remembered, and its sectors are read one at a time, so that
// one bad sector costs only itself.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "player/source/Sectors.h"

class CSectorBlock {
public:
    static constexpr uint64_t kBlockSize = 65536;

    // Copies the sector at `raw` (a multiple of 512, below `limit`) into
    // `sector`, reading through readAt(raw, into, size) -> bool. The block
    // read is cut to `limit`, past which the device may hold nothing.
    template <typename ReadAt>
    bool Read(uint64_t raw, uint64_t limit, uint8_t* sector, ReadAt readAt) {
        const uint64_t start = raw - raw % kBlockSize;
        if (!Holds(raw) && start != m_unreadableStart)
            Load(start, std::min(start + kBlockSize, std::max(limit, raw + kSector)), readAt);
        if (Holds(raw)) {
            std::memcpy(sector, m_bytes.data() + (raw - m_start), kSector);
            return true;
        }
        return readAt(raw, sector, kSector);
    }

    // The device's bytes may have changed or belong to another device.
    void Forget() {
        m_size = 0;
        m_unreadableStart = kNone;
    }

private:
    static constexpr uint64_t kNone = ~uint64_t(0);

    bool Holds(uint64_t raw) const {
        return m_size != 0 && raw >= m_start && raw - m_start + kSector <= m_size;
    }

    template <typename ReadAt>
    void Load(uint64_t start, uint64_t end, ReadAt readAt) {
        m_bytes.resize(kBlockSize);
        m_start = start;
        m_size = end - start;
        if (!readAt(start, m_bytes.data(), m_size)) {
            m_size = 0;
            m_unreadableStart = start;
        }
    }

    std::vector<uint8_t> m_bytes;
    uint64_t m_start = 0;
    uint64_t m_size = 0;
    uint64_t m_unreadableStart = kNone;
};
