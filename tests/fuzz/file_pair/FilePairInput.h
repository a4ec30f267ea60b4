// The layout of a file pair fuzz input: a little-endian u32 n, then n bytes
// of .inx (cut to what is there), then the .dvr. The seed writer packs pairs
// this way and the fuzz target unpacks them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "shared/ByteOrder.h"

struct FilePairInput {
    const uint8_t* inx;
    size_t inxSize;
    const uint8_t* dvr;
    size_t dvrSize;
};

inline FilePairInput SplitFilePairInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return {data, 0, data, 0};
    const size_t inxSize = std::min<size_t>(LoadU32(data), size - 4);
    return {data + 4, inxSize, data + 4 + inxSize, size - 4 - inxSize};
}

inline std::vector<uint8_t> PackFilePairInput(const std::vector<uint8_t>& inx,
                                              const std::vector<uint8_t>& dvr) {
    std::vector<uint8_t> packed(4);
    StoreU32(packed.data(), uint32_t(inx.size()));
    packed.insert(packed.end(), inx.begin(), inx.end());
    packed.insert(packed.end(), dvr.begin(), dvr.end());
    return packed;
}
