// The 128-byte records of a recorder's quick index. The player copies them out
// unchanged; the program's find dialog gives their fields a meaning.
#pragma once

#include <cstdint>

inline constexpr int kQuickInxRecordSize = 128;

struct QuickInxHd {
    uint8_t bytes[kQuickInxRecordSize];
};

struct QuickInxUnit {
    uint8_t bytes[kQuickInxRecordSize];
};

static_assert(sizeof(QuickInxHd) == 128 && sizeof(QuickInxUnit) == 128);
