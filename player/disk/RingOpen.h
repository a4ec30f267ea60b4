// The part of opening that the disk and card readers share: from the time
// index's ends to the ring's layout, then the probe.
//
// 1. The oldest GOP is entry `first`'s; the newest entry is `newest`.
// 2. GOPs written after the newest entry (a recorder writes an entry a
//    minute) are found by reading on from it while each GOP follows the one
//    before within kEndWalkGap, probes and is not older than the newest
//    entry: the ring's end.
// 3. When the ring has wrapped, the stored `first` may name entries whose
//    GOPs were overwritten since, by the newest GOPs too: walking down from
//    the entry before the newest, the start is the first entry at or above
//    the ring's end whose predecessor lies below it.
// 4. Part 1 ends at the newest GOP's end (not wrapped) or `reserve` before
//    the ring's end (wrapped; part 2 then runs from the ring's start to the
//    newest GOP's end).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "player/disk/RingReader.h"
#include "shared/GopRecords.h"
#include "shared/IndexRecords.h"

// A gap this long after the newest GOP ends the search for newer ones; a
// recorder writes its GOPs back to back, so anything further is stale, and
// an unwrapped, mostly empty disk is not scanned to its end.
inline constexpr uint64_t kEndWalkGap = 1048576;

// Time-index entry i with its raw offset; false when it cannot be read.
using TimeEntryReader = std::function<bool(uint32_t index, InxUnit* unit)>;

struct RingStart {
    uint32_t index = 0;
    uint64_t raw = 0;
    uint32_t time = 0;
};

// Step 3, `endRaw` being the ring's end (step 2): nullopt when the walk
// reaches `first` (or has gone round the whole ring) without finding the
// start.
std::optional<RingStart> FindRingStart(const TimeEntryReader& read, uint32_t first, uint32_t newest,
                                       uint64_t endRaw);

struct RingIndexEnds {
    uint32_t first = 0;   // as the reader hands it out
    uint32_t newest = 0;  // the newest entry's number
    bool wrapped = false;
    uint64_t reserve = 0;  // unused tail of a wrapped ring
};

struct RingOpening {
    uint32_t begTime = 0;
    uint32_t endTime = 0;
    uint32_t startIndex = 0;  // the start found by step 2; 0: none
    FrameSet probe{};
    bool probed = false;  // a GOP was accepted by the probe
};

// Runs steps 1 to 4 on `ring` (attached, bounds set), sets its layout and its
// newest GOP, probes, and leaves it at the oldest GOP. False when an end entry
// cannot be read, the layout makes no sense or a seek fails.
bool OpenRing(CRingReader& ring, const TimeEntryReader& read, const RingIndexEnds& ends,
              RingOpening* opening);
