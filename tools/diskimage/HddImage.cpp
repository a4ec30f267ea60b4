#include "tools/diskimage/HddImage.h"

#include <filesystem>

#include "shared/IndexRecords.h"
#include "tools/diskimage/Mbr.h"

namespace diskimage {
namespace {

constexpr uint64_t kTimeIndexSize = 16 * kMiB;
constexpr uint64_t kQuickIndexSize = 128 * kMiB;

void WriteIndexDir(const HddImageSpec& spec, const Recording& r) {
    std::filesystem::create_directories(spec.indexDir);
    SparseImage time(spec.indexDir + "/timeindex", kTimeIndexSize);
    for (const PlacedGop& g : r.written)
        WriteInxEntry(time, 0, g.entry, g.time, 0, g.raw);
    WriteInxRecord(time, 0, 0, kInxMagic, r.firstEntry, r.nextEntry, r.wrapped ? 1 : 0);
    SparseImage event(spec.indexDir + "/eventindex", kTimeIndexSize);
    WriteEventIndex(event, 0, r, spec.plan);
    SparseImage quick(spec.indexDir + "/quickindex", kQuickIndexSize);
    WriteQuickIndex(quick, 0, r, spec.plan);
}

}  // namespace

Recording WriteHddImage(const HddImageSpec& spec) {
    const uint64_t diskSize = spec.partition2Start + spec.partition2Length;
    SparseImage disk(spec.imagePath, diskSize);
    std::vector<MbrEntry> partitions = {{spec.partition1Start, spec.partition1Length, 0x0C}};
    if (spec.secondPartition)
        partitions.push_back({spec.partition2Start, spec.partition2Length, 0x83});
    disk.Write(0, EncodeMbr(partitions));

    const uint64_t length = spec.partition2Length;
    const RingSpan span{0, length, length > kHddReserve ? length - kHddReserve : length,
                        spec.partition2Start};
    RingRecorder ring(disk, span, spec.startRaw, spec.firstEntry);
    Recording r = RecordPlan(ring, spec.plan, spec.firstEntry);
    WriteIndexDir(spec, r);
    return r;
}

}  // namespace diskimage
