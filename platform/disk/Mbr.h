// The partition table of a master boot record (sector 0 of a disk): the four
// primary entries. Extended partitions are not followed; a recorder's disk
// holds primary partitions only.
#pragma once

#include <cstdint>
#include <vector>

struct MbrPartition {
    int slot = 0;  // 0 to 3, the entry's place in the table
    uint8_t type = 0;
    bool bootable = false;
    uint64_t startingOffset = 0;   // bytes
    uint64_t partitionLength = 0;  // bytes
};

inline constexpr int kMbrSize = 512;

// The used entries (type not 0 and a length) in slot order; empty unless the
// sector ends with the signature 0x55 0xAA.
std::vector<MbrPartition> ParseMbr(const uint8_t* sector);
