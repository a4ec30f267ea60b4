// What an image generator recorded: the GOPs it wrote into the ring and the
// index numbers it used, so that tests can compare a reader with the truth.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/diskimage/RingRecorder.h"

namespace diskimage {

// The GOPs to record: `count` GOPs, `secondsPerGop` apart from `startTime`,
// GOP i carrying `payload(i)` bytes of frame data. A recorder whose clock
// jumps is played by `timeOf`, which then gives GOP i its time instead.
struct GopPlan {
    int count = 0;
    uint32_t startTime = 1767225600;  // 2026-01-01 00:00
    uint32_t secondsPerGop = 1;
    std::function<uint32_t(int)> timeOf;
    std::function<uint32_t(int)> payload = [](int i) { return uint32_t(1500 + (i * 337) % 5000); };
    int eventEvery = 10;  // every n-th GOP gets an event entry and a quick record
    // GOP i's length field says this many bytes when above 0 (damage).
    std::function<uint32_t(int)> statedLength;
    // When above 0: every GOP's second frame header lies this many bytes in
    // and carries the GOP-wide fields (a recorder that copies them).
    uint32_t copiedHeaderAt = 0;
    // One time-index entry a minute, as recorders write them: only GOPs on a
    // whole minute get an entry number; the others get 0 and no entry.
    bool minuteIndex = false;
};

struct Recording {
    std::vector<PlacedGop> written;  // writing order, overwritten GOPs included
    std::vector<PlacedGop> live;     // what a reader plays, oldest first
    bool wrapped = false;
    uint32_t firstEntry = 0;  // time-index number of the first GOP ever written
    uint32_t nextEntry = 0;   // number the next GOP would get
    int eventCount = 0;
    int quickCount = 0;
};

// Writes the plan into `ring` and returns it as recorded.
Recording RecordPlan(RingRecorder& ring, const GopPlan& plan, uint32_t firstEntry);

// Index records at a base offset of an image or index file: the time or
// event header and entries (16 bytes at 16 * i) and quick records (128 bytes
// at 128 * i).
void WriteInxRecord(SparseImage& file, uint64_t base, uint32_t index, uint32_t a, uint32_t b,
                    uint32_t c, uint32_t d);
void WriteInxEntry(SparseImage& file, uint64_t base, uint32_t index, uint32_t time, uint32_t event,
                   uint64_t offset);
// Event entries (every plan.eventEvery-th live GOP) and quick records for
// them, numbered from 1; the headers' `last` is the last record. Each
// returns the count.
int WriteEventIndex(SparseImage& file, uint64_t base, const Recording& recording,
                    const GopPlan& plan);
int WriteQuickIndex(SparseImage& file, uint64_t base, const Recording& recording,
                    const GopPlan& plan);

}  // namespace diskimage
