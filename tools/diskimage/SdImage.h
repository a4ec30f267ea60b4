// A recorder SD card as one sparse image: the header sector 31 ("SD RAW
// FORMAT" and the offset T of the index areas at byte 144), the time index
// area at T, the event area at T + 16 MiB, the quick area at T + 32 MiB and
// the GOP ring from T + 160 MiB to the card's end. Raw offsets on a card are
// absolute image offsets.
//
// The time index header holds `first` at the first GOP ever written, `last`
// at the newest entry and `wrapped` once the ring has wrapped.
#pragma once

#include <cstdint>
#include <string>

#include "tools/diskimage/HddImage.h"
#include "tools/diskimage/Recording.h"

namespace diskimage {

inline constexpr uint64_t kSdHeaderOffset = 15872;
inline constexpr uint64_t kSdAreasSize = 160 * kMiB;  // time, event and quick areas

struct SdImageOptions {
    std::string imagePath;
    uint64_t cardSize = 180 * kMiB;
    uint64_t indexOffset = kMiB;  // T
    std::string headerText = "SD RAW FORMAT";
    uint64_t storedIndexOffset = 0;  // what the header says T is; 0: indexOffset
    uint64_t startRaw = 0;           // absolute; 0: the data start
    uint32_t firstEntry = 1;
    GopPlan plan;
};

Recording WriteSdImage(const SdImageOptions& options);

}  // namespace diskimage
