// Inside platform/gdi: ternary raster operations on rows of pixel words.
// Bit i of the operation code (bits 16..23 of a ROP) is the result for
// pattern = bit 2 of i, source = bit 1, destination = bit 0.
#pragma once

#include <cstdint>

inline uint8_t RopCode(uint32_t rop) {
    return uint8_t(rop >> 16);
}

// Whether the result depends on the source at all.
inline bool RopUsesSource(uint8_t code) {
    return ((code >> 2) & 0x33) != (code & 0x33);
}
inline bool RopUsesDestination(uint8_t code) {
    return ((code >> 1) & 0x55) != (code & 0x55);
}

// dst[i] = op(pattern, src[i], dst[i]); `src` may be null when the code does
// not use it. Results carry alpha 0, except plain source copies, which carry
// the source's.
void RopRow(uint8_t code, uint32_t pattern, const uint32_t* src, uint32_t* dst, int count);
