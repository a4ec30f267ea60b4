// Writes a master boot record: up to four primary partitions, the disk
// signature and the boot signature 0x55 0xAA.
#pragma once

#include <cstdint>
#include <vector>

namespace diskimage {

struct MbrEntry {
    uint64_t start = 0;   // bytes, a multiple of 512
    uint64_t length = 0;  // bytes, a multiple of 512
    uint8_t type = 0x07;
};

// Throws std::invalid_argument for more than four entries or a value that is
// not a whole sector count of 32 bits.
std::vector<uint8_t> EncodeMbr(const std::vector<MbrEntry>& entries,
                               uint32_t diskSignature = 0x2026);

}  // namespace diskimage
