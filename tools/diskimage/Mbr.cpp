#include "tools/diskimage/Mbr.h"

#include <stdexcept>

#include "shared/ByteOrder.h"

namespace diskimage {
namespace {

uint32_t Sectors(uint64_t bytes) {
    if (bytes % 512 != 0 || bytes / 512 > UINT32_MAX)
        throw std::invalid_argument("mbr: not a 32-bit sector count");
    return uint32_t(bytes / 512);
}

}  // namespace

std::vector<uint8_t> EncodeMbr(const std::vector<MbrEntry>& entries, uint32_t diskSignature) {
    if (entries.size() > 4)
        throw std::invalid_argument("mbr: more than four partitions");
    std::vector<uint8_t> sector(512, 0);
    StoreU32(&sector[440], diskSignature);
    for (size_t i = 0; i < entries.size(); ++i) {
        uint8_t* entry = &sector[446 + 16 * i];
        entry[4] = entries[i].type;
        StoreU32(entry + 8, Sectors(entries[i].start));
        StoreU32(entry + 12, Sectors(entries[i].length));
    }
    sector[510] = 0x55;
    sector[511] = 0xAA;
    return sector;
}

}  // namespace diskimage
