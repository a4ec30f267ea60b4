// Little-endian loads and stores on unaligned bytes: every multi-byte value of
// a recording is little-endian, whatever the host.
#pragma once

#include <cstdint>

inline uint16_t LoadU16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t LoadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline uint64_t LoadU64(const uint8_t* p) {
    return LoadU32(p) | (uint64_t(LoadU32(p + 4)) << 32);
}

inline void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

inline void StoreU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

inline void StoreU64(uint8_t* p, uint64_t v) {
    StoreU32(p, uint32_t(v));
    StoreU32(p + 4, uint32_t(v >> 32));
}
