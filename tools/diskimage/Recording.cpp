#include "tools/diskimage/Recording.h"

#include <cstring>

#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "shared/QuickIndexRecords.h"

namespace diskimage {

namespace {

// Entry numbers from `firstEntry` on for the GOPs on a whole minute, 0 for
// the others; returns the number the next entry would get.
uint32_t NumberMinutes(std::vector<PlacedGop>& written, uint32_t firstEntry) {
    uint32_t next = firstEntry;
    for (PlacedGop& g : written) {
        g.entry = g.time % 60 == 0 ? next : 0;
        if (g.entry != 0)
            next = NextIndexEntry(next);
    }
    return next;
}

}  // namespace

Recording RecordPlan(RingRecorder& ring, const GopPlan& plan, uint32_t firstEntry) {
    for (int i = 0; i < plan.count; ++i)
        ring.Append(
            plan.timeOf ? plan.timeOf(i) : plan.startTime + uint32_t(i) * plan.secondsPerGop,
            plan.payload(i), plan.statedLength ? plan.statedLength(i) : 0, plan.copiedHeaderAt);
    Recording r;
    r.written = ring.Written();
    r.wrapped = ring.Wrapped();
    r.firstEntry = firstEntry;
    r.nextEntry = plan.minuteIndex ? NumberMinutes(r.written, firstEntry) : ring.NextEntry();
    r.live = LiveGops(r.written);
    return r;
}

void WriteInxRecord(SparseImage& file, uint64_t base, uint32_t index, uint32_t a, uint32_t b,
                    uint32_t c, uint32_t d) {
    uint8_t record[16];
    StoreU32(record, a);
    StoreU32(record + 4, b);
    StoreU32(record + 8, c);
    StoreU32(record + 12, d);
    file.Write(base + 16 * uint64_t(index), record, sizeof record);
}

void WriteInxEntry(SparseImage& file, uint64_t base, uint32_t index, uint32_t time, uint32_t event,
                   uint64_t offset) {
    WriteInxRecord(file, base, index, time, event, uint32_t(offset), uint32_t(offset >> 32));
}

int WriteEventIndex(SparseImage& file, uint64_t base, const Recording& recording,
                    const GopPlan& plan) {
    int count = 0;
    for (size_t i = 0; i < recording.live.size(); i += size_t(plan.eventEvery)) {
        const PlacedGop& g = recording.live[i];
        const uint32_t type = uint32_t(count % 16) << 20;
        WriteInxEntry(file, base, uint32_t(++count), g.time, g.entry | type, g.raw);
    }
    WriteInxRecord(file, base, 0, kInxMagic, 1, uint32_t(count), 0);
    return count;
}

int WriteQuickIndex(SparseImage& file, uint64_t base, const Recording& recording,
                    const GopPlan& plan) {
    int count = 0;
    // Fields as the find dialog reads them: time-index entry (0), speed (4),
    // tyre count (12), latitude text (84).
    for (size_t i = 0; i < recording.live.size(); i += size_t(plan.eventEvery)) {
        QuickInxUnit unit{};
        StoreU32(unit.bytes, recording.live[i].entry);
        StoreU16(unit.bytes + 4, uint16_t(count % 130));
        unit.bytes[12] = 2;
        std::memcpy(unit.bytes + 84, "2233.1234N", 10);
        file.Write(base + 128 * uint64_t(++count), unit.bytes, sizeof unit.bytes);
    }
    QuickInxHd header{};  // as an index header: magic, first, last
    StoreU32(header.bytes, kInxMagic);
    StoreU32(header.bytes + 4, 1);
    StoreU32(header.bytes + 8, uint32_t(count));
    file.Write(base, header.bytes, sizeof header.bytes);
    return count;
}

}  // namespace diskimage
