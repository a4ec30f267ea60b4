// The layout of a disk or card fuzz input, small however large the ring:
//
//   u64 ring length (bytes; cut to a whole sector count in [512, maxRing])
//   u32 n, then n bytes of time index (cut to what is there)
//   chunks of ring data until the input ends, each
//     u32 sector (offset from the ring's start, in sectors), u32 m, m bytes
//
// Chunks are cut to the ring; what no chunk covers reads as zeros. The seed
// writers pack generated images this way, one chunk per run of non-zero
// sectors, and the fuzz targets unpack them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "shared/ByteOrder.h"

struct RingChunk {
    uint64_t offset;  // bytes from the ring's start
    const uint8_t* bytes;
    size_t size;
};

struct RingImageInput {
    uint64_t ringLength = 512;
    const uint8_t* index = nullptr;
    size_t indexSize = 0;
    std::vector<RingChunk> chunks;
};

inline RingImageInput SplitRingImageInput(const uint8_t* data, size_t size, uint64_t maxRing) {
    RingImageInput input;
    if (size < 12)
        return input;
    input.ringLength = std::clamp<uint64_t>(LoadU64(data) / 512 * 512, 512, maxRing);
    size_t at = 8;
    const size_t indexSize = std::min<size_t>(LoadU32(data + at), size - at - 4);
    at += 4;
    input.index = data + at;
    input.indexSize = indexSize;
    at += indexSize;
    while (size - at >= 8) {
        const uint64_t offset = uint64_t(LoadU32(data + at)) * 512;
        const size_t length = std::min<size_t>(LoadU32(data + at + 4), size - at - 8);
        at += 8;
        if (offset < input.ringLength)
            input.chunks.push_back(
                {offset, data + at, size_t(std::min<uint64_t>(length, input.ringLength - offset))});
        at += length;
    }
    return input;
}

inline std::vector<uint8_t> PackRingImageInput(uint64_t ringLength,
                                               const std::vector<uint8_t>& index,
                                               const std::vector<uint8_t>& ring) {
    std::vector<uint8_t> packed(12);
    StoreU64(packed.data(), ringLength);
    StoreU32(packed.data() + 8, uint32_t(index.size()));
    packed.insert(packed.end(), index.begin(), index.end());
    auto zero = [&](size_t s) {
        const auto begin = ring.begin() + long(s * 512);
        return std::all_of(begin, begin + 512, [](uint8_t b) { return b == 0; });
    };
    const size_t sectors = ring.size() / 512;
    for (size_t s = 0; s < sectors;) {
        if (zero(s)) {
            ++s;
            continue;
        }
        size_t end = s;
        while (end < sectors && !zero(end))
            ++end;
        uint8_t head[8];
        StoreU32(head, uint32_t(s));
        StoreU32(head + 4, uint32_t((end - s) * 512));
        packed.insert(packed.end(), head, head + 8);
        packed.insert(packed.end(), ring.begin() + long(s * 512), ring.begin() + long(end * 512));
        s = end;
    }
    return packed;
}
