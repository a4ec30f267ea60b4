// The two GOP walks every reader runs (file pair, disk, card), over the
// sector search of its own medium: a .dvr stream, or a ring on a raw device
// whose data positions the reader maps to raw offsets. The walks do not
// care how positions are stored; each medium gives them its steps.
//
// Forward: `pass` GOPs are passed by their length and the next is read.
// A header whose GOP, once read, does not hold together (GopStart.h: a
// later frame header of a recorder that copies the GOP-wide fields) is no
// GOP start: the search goes on from the sector after it. Passed GOPs are
// counted by their headers alone, without reading them.
//   find(sector)               stands at the next sector at or after the
//                              position that starts a GOP (Read) or ends
//   readHere(size, buf, len)   reads the GOP it stands at
//   passHere(size)             moves past the GOP it stands at
//   resumeAfter(size)          after a read of `size` bytes, stands at the
//                              second sector of what was read
// Backward: `pass` links are followed (BackLink.h) and the GOP the last one
// points at is read. One that is no whole GOP (a link into overwritten or
// damaged data, or the copied link of a later frame header) is passed, and
// the walk goes on below the header that gave the link.
//   findBefore(buf, len, link) the GOP before the position
//   standAt(position)          moves to a linked GOP's start
//   readLinked(link, buf)      reads it there (Read, or a failure)
#pragma once

#include <cstdint>

#include "player/source/BackLink.h"
#include "player/source/GopReadResult.h"
#include "player/source/GopStart.h"
#include "player/source/Sectors.h"

template <typename Find, typename ReadHere, typename PassHere, typename ResumeAfter>
GopReadResult WalkGopsForward(int pass, uint8_t* buffer, int* length, Find find, ReadHere readHere,
                              PassHere passHere, ResumeAfter resumeAfter) {
    const int offered = *length;
    for (int passed = 0;;) {
        uint8_t sector[kSectorSize];
        const GopReadResult found = find(sector);
        if (found != GopReadResult::Read)
            return found;
        const uint64_t size = GopStorageSize(ReadFrameHeader(sector).gopLength);
        if (passed < pass) {
            passHere(size);
            ++passed;
            continue;
        }
        *length = offered;
        const GopReadResult read = readHere(size, buffer, length);
        if (read != GopReadResult::Read || GopLengthsAgree(buffer, size))
            return read;
        resumeAfter(size);
    }
}

template <typename FindBefore, typename StandAt, typename ReadLinked>
GopReadResult WalkGopsBackward(int pass, uint8_t* buffer, int* length, FindBefore findBefore,
                               StandAt standAt, ReadLinked readLinked) {
    for (int followed = 0;; ++followed) {
        GopLink link{};
        const GopReadResult found = findBefore(buffer, *length, &link);
        if (found != GopReadResult::Read)
            return found;
        standAt(link.start);
        if (followed < pass)
            continue;
        // Failures leave the position at the linked GOP's start: the next
        // walk follows its own back link and so moves on.
        if (link.size > uint64_t(*length))
            return GopReadResult::Failed;
        const GopReadResult read = readLinked(link, buffer);
        if (read != GopReadResult::Read)
            return read;
        if (!StartsGop(buffer) || !GopLengthsAgree(buffer, link.size)) {
            if (link.from > link.start)
                standAt(link.from - kSector);
            continue;
        }
        *length = int(link.size);
        return GopReadResult::Read;
    }
}
