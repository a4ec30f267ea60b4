// The rebuild's scan of a disk's data ring: GOP headers in raw order, read a
// block at a time with one pause and one progress report per read, the GOPs
// on new minutes kept as time-index entries, and the entries put in ring
// order when the ring has wrapped.
//
// Wrap: the newest lap starts at the ring's front, its first GOP linking back
// to the older lap's last one at the ring's end. The newest run ends at the
// first GOP whose back link does not point at the GOP just before it (the
// older lap's oldest intact GOP, whose predecessor was overwritten); a link
// of 0 starts a new recording and continues the run. Times are never used,
// so a recorder clock that went back cannot reorder the ring. When GOPs lie
// after the newest run, the entries run from there (the older lap) to the
// ring's end and on from the front; GOPs wholly in the reserve at the
// ring's end are stale and left out.
//
// An unreadable block is read again sector by sector; an unreadable sector
// is counted and passed.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/base/Handle.h"
#include "player/disk/HddSource.h"
#include "shared/IndexRecords.h"

struct RingScanResult {
    std::vector<InxUnit> entries;  // in index order, oldest first
    bool wrapped = false;
    uint64_t unreadableSectors = 0;
};

// Scans `length` bytes of the ring at device offset `start`. Written, or
// Stopped when `stop` was set before a read (the result is then partial).
RebuildScan ScanRing(HANDLE device, uint64_t start, uint64_t length, RebuildCallback callback,
                     const std::atomic<bool>* stop, RingScanResult* result);
