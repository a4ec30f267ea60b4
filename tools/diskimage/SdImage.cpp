#include "tools/diskimage/SdImage.h"

#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"

namespace diskimage {
namespace {

void WriteHeader(SparseImage& card, const SdImageOptions& options) {
    std::vector<uint8_t> sector(512, 0);
    std::copy(options.headerText.begin(), options.headerText.end(), sector.begin());
    StoreU64(&sector[144],
             options.storedIndexOffset != 0 ? options.storedIndexOffset : options.indexOffset);
    card.Write(kSdHeaderOffset, sector);
}

void WriteAreas(SparseImage& card, const SdImageOptions& options, Recording& r) {
    const uint64_t time = options.indexOffset;
    for (const PlacedGop& g : r.written)
        if (g.entry != 0)
            WriteInxEntry(card, time, g.entry, g.time, 0, g.raw);
    const uint32_t newest =
        r.nextEntry == r.firstEntry ? r.firstEntry : PreviousIndexEntry(r.nextEntry);
    WriteInxRecord(card, time, 0, kInxMagic, r.firstEntry, newest, r.wrapped ? 1 : 0);
    r.eventCount = WriteEventIndex(card, time + 16 * kMiB, r, options.plan);
    r.quickCount = WriteQuickIndex(card, time + 32 * kMiB, r, options.plan);
}

}  // namespace

Recording WriteSdImage(const SdImageOptions& options) {
    SparseImage card(options.imagePath, options.cardSize);
    WriteHeader(card, options);
    const uint64_t dataStart = options.indexOffset + kSdAreasSize;
    const RingSpan span{dataStart, options.cardSize, options.cardSize, 0};
    RingRecorder ring(card, span, options.startRaw != 0 ? options.startRaw : dataStart,
                      options.firstEntry);
    Recording r = RecordPlan(ring, options.plan, options.firstEntry);
    WriteAreas(card, options, r);
    return r;
}

}  // namespace diskimage
