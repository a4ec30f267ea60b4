// A recorder hard disk as two fixtures: the whole disk as a sparse image (a
// master boot record with two partitions and the GOP ring in the second) and
// the first partition's root as a directory with `timeindex`, `eventindex`
// and `quickindex`.
//
// The time index is written as the recorder leaves it: an entry per GOP ever
// written, `first` at the first GOP ever written (stale once the ring has
// wrapped), `last` one past the newest entry and `wrapped` set once the ring
// has wrapped. Event entries and quick records cover every n-th live GOP.
#pragma once

#include <cstdint>
#include <string>

#include "tools/diskimage/Recording.h"

namespace diskimage {

inline constexpr uint64_t kMiB = 1048576;
inline constexpr uint64_t kHddReserve = 10 * kMiB;  // the ring's unused tail once wrapped

struct HddImageOptions {
    std::string imagePath;
    std::string indexDir;  // created when missing
    uint64_t partition1Start = kMiB;
    uint64_t partition1Length = kMiB;
    uint64_t partition2Start = 2 * kMiB;
    uint64_t partition2Length = 24 * kMiB;
    bool secondPartition = true;  // false: a layout of one partition only
    uint64_t startRaw = 0;        // where the first GOP goes in the ring
    uint32_t firstEntry = 1;      // its time-index number
    GopPlan plan;
};

// Throws std::runtime_error or std::invalid_argument when it cannot write.
Recording WriteHddImage(const HddImageOptions& options);

}  // namespace diskimage
