#include "tools/diskimage/SdImage.h"

#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"

namespace diskimage {
namespace {

void WriteHeader(SparseImage& card, const SdImageSpec& spec) {
    std::vector<uint8_t> sector(512, 0);
    std::copy(spec.headerText.begin(), spec.headerText.end(), sector.begin());
    StoreU64(&sector[144], spec.storedIndexOffset != 0 ? spec.storedIndexOffset : spec.indexOffset);
    card.Write(kSdHeaderOffset, sector);
}

void WriteAreas(SparseImage& card, const SdImageSpec& spec, const Recording& r) {
    const uint64_t time = spec.indexOffset;
    for (const PlacedGop& g : r.written)
        WriteInxEntry(card, time, g.entry, g.time, 0, g.raw);
    const uint32_t newest = r.written.empty() ? r.firstEntry : r.written.back().entry;
    WriteInxRecord(card, time, 0, kInxMagic, r.firstEntry, newest, r.wrapped ? 1 : 0);
    WriteEventIndex(card, time + 16 * kMiB, r, spec.plan);
    WriteQuickIndex(card, time + 32 * kMiB, r, spec.plan);
}

}  // namespace

Recording WriteSdImage(const SdImageSpec& spec) {
    SparseImage card(spec.imagePath, spec.cardSize);
    WriteHeader(card, spec);
    const uint64_t dataStart = spec.indexOffset + kSdAreasSize;
    const RingSpan span{dataStart, spec.cardSize, spec.cardSize, 0};
    RingRecorder ring(card, span, spec.startRaw != 0 ? spec.startRaw : dataStart, spec.firstEntry);
    Recording r = RecordPlan(ring, spec.plan, spec.firstEntry);
    WriteAreas(card, spec, r);
    return r;
}

}  // namespace diskimage
