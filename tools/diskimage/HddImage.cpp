#include "tools/diskimage/HddImage.h"

#include <filesystem>

#include "shared/IndexRecords.h"
#include "tools/diskimage/Mbr.h"

namespace diskimage {
namespace {

constexpr uint64_t kTimeIndexSize = 16 * kMiB;
constexpr uint64_t kQuickIndexSize = 128 * kMiB;

void WriteIndexDir(const HddImageOptions& options, Recording& r) {
    std::filesystem::create_directories(options.indexDir);
    SparseImage time(options.indexDir + "/timeindex", kTimeIndexSize);
    for (const PlacedGop& g : r.written)
        if (g.entry != 0)
            WriteInxEntry(time, 0, g.entry, g.time, 0, g.raw);
    WriteInxRecord(time, 0, 0, kInxMagic, r.firstEntry, r.nextEntry, r.wrapped ? 1 : 0);
    SparseImage event(options.indexDir + "/eventindex", kTimeIndexSize);
    r.eventCount = WriteEventIndex(event, 0, r, options.plan);
    SparseImage quick(options.indexDir + "/quickindex", kQuickIndexSize);
    r.quickCount = WriteQuickIndex(quick, 0, r, options.plan);
}

}  // namespace

Recording WriteHddImage(const HddImageOptions& options) {
    const uint64_t diskSize = options.partition2Start + options.partition2Length;
    SparseImage disk(options.imagePath, diskSize);
    std::vector<MbrEntry> partitions = {{options.partition1Start, options.partition1Length, 0x0C}};
    if (options.secondPartition)
        partitions.push_back({options.partition2Start, options.partition2Length, 0x83});
    disk.Write(0, EncodeMbr(partitions));

    const uint64_t length = options.partition2Length;
    const RingSpan span{0, length, length > kHddReserve ? length - kHddReserve : length,
                        options.partition2Start};
    RingRecorder ring(disk, span, options.startRaw, options.firstEntry);
    Recording r = RecordPlan(ring, options.plan, options.firstEntry);
    WriteIndexDir(options, r);
    return r;
}

}  // namespace diskimage
