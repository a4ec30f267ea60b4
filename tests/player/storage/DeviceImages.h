// Small recorder images for the tests of the source manager and the library:
// rings of a few MiB filled with GOPs of 64 KiB, so that a few dozen GOPs
// wrap them.
#pragma once

#include <cstdint>

#include "tools/diskimage/HddImage.h"
#include "tools/diskimage/SdImage.h"

inline constexpr uint32_t kDeviceGopPayload = 65536 - 40;  // GOPs of exactly 128 sectors

// A disk ring of 11 MiB: 1 MiB before its 10 MiB reserve, 16 GOPs a lap.
inline diskimage::HddImageOptions SmallDisk(int gops) {
    diskimage::HddImageOptions options;
    options.partition2Length = 11 * diskimage::kMiB;
    options.plan.count = gops;
    options.plan.payload = [](int) { return kDeviceGopPayload; };
    options.plan.eventEvery = 4;
    return options;
}

// A card ring of 1 MiB behind the index areas: 16 GOPs a lap.
inline diskimage::SdImageOptions SmallCard(int gops) {
    diskimage::SdImageOptions options;
    options.indexOffset = diskimage::kMiB;
    options.cardSize = options.indexOffset + diskimage::kSdAreasSize + diskimage::kMiB;
    options.plan.count = gops;
    options.plan.payload = [](int) { return kDeviceGopPayload; };
    options.plan.eventEvery = 4;
    return options;
}
