#include "platform/disk/Mbr.h"

#include "shared/ByteOrder.h"

namespace {

constexpr int kTableOffset = 446;
constexpr int kEntrySize = 16;
constexpr uint64_t kSector = 512;

}  // namespace

std::vector<MbrPartition> ParseMbr(const uint8_t* sector) {
    std::vector<MbrPartition> partitions;
    if (sector[510] != 0x55 || sector[511] != 0xAA)
        return partitions;
    for (int slot = 0; slot < 4; ++slot) {
        const uint8_t* entry = sector + kTableOffset + kEntrySize * slot;
        MbrPartition p;
        p.slot = slot;
        p.bootable = entry[0] == 0x80;
        p.type = entry[4];
        p.startingOffset = LoadU32(entry + 8) * kSector;
        p.partitionLength = LoadU32(entry + 12) * kSector;
        if (p.type != 0 && p.partitionLength != 0)
            partitions.push_back(p);
    }
    return partitions;
}
