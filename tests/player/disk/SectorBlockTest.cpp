#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "player/disk/SectorBlock.h"

namespace {

constexpr uint64_t kBlock = CSectorBlock::kBlockSize;

// A device of `size` bytes whose every byte tells its sector (the sector
// number's low byte), with sectors that cannot be read; counts its reads.
struct FakeDevice {
    uint64_t size = 0;
    std::set<uint64_t> unreadable;  // raw offsets of bad sectors
    int reads = 0;

    bool ReadAt(uint64_t raw, void* into, uint64_t length) {
        ++reads;
        if (raw + length > size)
            return false;
        for (uint64_t s = raw; s < raw + length; s += kSector) {
            if (unreadable.count(s) != 0)
                return false;
        }
        auto* bytes = static_cast<uint8_t*>(into);
        for (uint64_t at = 0; at < length; ++at)
            bytes[at] = uint8_t((raw + at) / kSector);
        return true;
    }
};

struct Reader {
    explicit Reader(uint64_t size, std::set<uint64_t> unreadable = {})
        : device{size, std::move(unreadable)} {}

    FakeDevice device;
    CSectorBlock block;

    bool Read(uint64_t raw, uint64_t limit, uint8_t* sector) {
        return block.Read(raw, limit, sector, [this](uint64_t at, void* into, uint64_t size) {
            return device.ReadAt(at, into, size);
        });
    }
    // Reads the sector and checks it holds its own bytes.
    bool ReadsItself(uint64_t raw, uint64_t limit) {
        uint8_t sector[kSectorSize];
        std::memset(sector, 0xEE, sizeof sector);
        return Read(raw, limit, sector) && sector[0] == uint8_t(raw / kSector) &&
               sector[kSector - 1] == uint8_t(raw / kSector);
    }
};

TEST(SectorBlock, ASearchDownABlockReadsTheDeviceOnce) {
    Reader r(4 * kBlock);
    for (uint64_t raw = 3 * kBlock - kSector; raw >= 2 * kBlock; raw -= kSector)
        ASSERT_TRUE(r.ReadsItself(raw, r.device.size)) << raw;
    EXPECT_EQ(r.device.reads, 1);
    ASSERT_TRUE(r.ReadsItself(2 * kBlock - kSector, r.device.size));
    EXPECT_EQ(r.device.reads, 2);
}

TEST(SectorBlock, ASearchUpABlockReadsTheDeviceOnce) {
    Reader r(4 * kBlock);
    for (uint64_t raw = kBlock; raw < 2 * kBlock; raw += kSector)
        ASSERT_TRUE(r.ReadsItself(raw, r.device.size)) << raw;
    EXPECT_EQ(r.device.reads, 1);
}

TEST(SectorBlock, TheBlockIsCutAtTheLimit) {
    // The device ends 3 sectors into its last block: a whole block there
    // cannot be read, the limit keeps the read inside.
    Reader r(kBlock + 3 * kSector);
    for (uint64_t raw = kBlock; raw < r.device.size; raw += kSector)
        ASSERT_TRUE(r.ReadsItself(raw, r.device.size)) << raw;
    EXPECT_EQ(r.device.reads, 1);
}

TEST(SectorBlock, ABadSectorCostsOnlyItself) {
    Reader r(2 * kBlock, {kBlock + 5 * kSector});
    std::vector<uint64_t> failed;
    for (uint64_t raw = kBlock; raw < 2 * kBlock; raw += kSector) {
        if (!r.ReadsItself(raw, r.device.size))
            failed.push_back(raw);
    }
    EXPECT_EQ(failed, std::vector<uint64_t>{kBlock + 5 * kSector});
    // The failed block read, then each of its sectors alone, not the block again.
    EXPECT_EQ(r.device.reads, 1 + int(kBlock / kSector));
}

TEST(SectorBlock, ForgetReadsTheDeviceAgain) {
    Reader r(2 * kBlock);
    ASSERT_TRUE(r.ReadsItself(0, r.device.size));
    r.block.Forget();
    ASSERT_TRUE(r.ReadsItself(kSector, r.device.size));
    EXPECT_EQ(r.device.reads, 2);
}

}  // namespace
