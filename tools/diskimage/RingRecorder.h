// Plays the recorder: writes GOPs one after another into a ring of raw
// offsets, back-linking each to the one written before it, and starts again
// at the ring's front when the next GOP would start at or past the wrap limit
// or would not fit before the ring's end. Every GOP written gets the next
// time-index entry number (1 to 0xFFFFF, then 1 again).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/diskimage/SparseImage.h"

namespace diskimage {

inline constexpr uint32_t kIndexRingSize = 0xFFFFF;

struct PlacedGop {
    uint64_t raw = 0;   // raw offset of its first byte
    uint32_t size = 0;  // rounded up to 512
    uint32_t time = 0;
    uint32_t entry = 0;  // its time-index entry number
};

struct RingSpan {
    uint64_t begin = 0;      // first raw offset of the ring
    uint64_t end = 0;        // one past its last raw offset
    uint64_t wrapLimit = 0;  // no GOP starts at or past it (end minus the reserve)
    uint64_t imageBase = 0;  // image offset of raw offset 0
};

// The GOP bytes for a time, a payload size and a back link in sectors. A
// `statedLength` above 0 is written as its length field instead of the true
// one (a damaged field); the GOP still occupies its true length. A
// `copiedHeaderAt` above 0 (and below the payload) splits the payload into
// two frames, the second header that many bytes into the GOP and carrying
// the GOP-wide fields, as recorders that copy them into every header write.
std::vector<uint8_t> MakeTestGop(uint32_t time, uint32_t payload, uint32_t prevSectors,
                                 uint32_t statedLength = 0, uint32_t copiedHeaderAt = 0);

class RingRecorder {
public:
    RingRecorder(SparseImage& image, const RingSpan& span, uint64_t startRaw, uint32_t firstEntry);

    // Writes the next GOP of `payload` bytes recorded at `time`, its length
    // field damaged to `statedLength` when that is above 0 (MakeTestGop).
    const PlacedGop& Append(uint32_t time, uint32_t payload, uint32_t statedLength = 0,
                            uint32_t copiedHeaderAt = 0);

    bool Wrapped() const { return wrapped_; }
    // Every GOP written, in writing order; overwritten ones included.
    const std::vector<PlacedGop>& Written() const { return written_; }
    // The entry number the next GOP would get.
    uint32_t NextEntry() const { return nextEntry_; }

private:
    SparseImage& image_;
    RingSpan span_;
    uint64_t next_;
    uint32_t nextEntry_;
    uint32_t prevSectors_ = 0;
    bool wrapped_ = false;
    std::vector<PlacedGop> written_;
};

// The GOPs of `written` (in writing order) that no later one overlaps, in
// writing order: what a reader plays.
std::vector<PlacedGop> LiveGops(const std::vector<PlacedGop>& written);

// The entry number after `entry` in the index ring.
inline uint32_t NextIndexEntry(uint32_t entry) {
    return entry >= kIndexRingSize ? 1 : entry + 1;
}

// The entry number before `entry` in the index ring.
inline uint32_t PreviousIndexEntry(uint32_t entry) {
    return entry <= 1 ? kIndexRingSize : entry - 1;
}

}  // namespace diskimage
