// The 16-byte records of a time or event index: the `.inx` file of a
// recording pair and the recorder's own index files share them.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kInxMagic = 0x1738BABE;

struct InxHd {
    uint32_t magic;
    uint32_t first;    // index of the first entry
    uint32_t last;     // index of the end mark
    uint32_t wrapped;  // 0 in `.inx` files
};

struct InxUnit {
    uint32_t time;    // seconds since 1970
    uint32_t event;   // 0 in `.inx` files
    uint64_t offset;  // data position of the GOP
};

static_assert(sizeof(InxHd) == 16 && offsetof(InxHd, last) == 8 && offsetof(InxHd, wrapped) == 12);
static_assert(sizeof(InxUnit) == 16 && offsetof(InxUnit, event) == 4 &&
              offsetof(InxUnit, offset) == 8);
