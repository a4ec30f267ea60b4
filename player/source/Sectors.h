// Sector arithmetic of the readers: GOPs start on 512-byte boundaries and
// occupy their length rounded up to 512. All of it in 64 bits, so that
// lengths near 4 GiB and positions above 4 GiB round correctly.
#pragma once

#include <cstdint>
#include <limits>

#include "format/FrameHeader.h"

inline constexpr uint64_t kSector = uint64_t(kSectorSize);

// `value` rounded up to a multiple of 512; all ones when that would not fit,
// which lies beyond every data length a reader can reach.
inline uint64_t RoundUpToSector(uint64_t value) {
    if (value > std::numeric_limits<uint64_t>::max() - (kSector - 1))
        return std::numeric_limits<uint64_t>::max();
    return (value + kSector - 1) & ~(kSector - 1);
}

inline uint64_t RoundDownToSector(uint64_t value) {
    return value & ~(kSector - 1);
}

// The caller's buffer of a GOP read: there, with its length, and able to
// hold at least one sector. Every reader refuses anything else (NotOpen).
inline bool UsableGopBuffer(const uint8_t* buffer, const int* length) {
    return buffer != nullptr && length != nullptr && *length >= kSectorSize;
}

// The storage size of a GOP of `gopLength` bytes.
inline uint64_t GopStorageSize(uint32_t gopLength) {
    return RoundUpToSector(gopLength);
}

// The size of the GOP before this header, from its back link (0: no link).
// Versions below 4 store the length in bytes, version 4 and later in sectors.
inline uint64_t PreviousGopSize(const FrameHeader& header) {
    if (header.version < 4)
        return RoundUpToSector(header.prevGopLength);
    return uint64_t(header.prevGopLength) * kSector;
}
