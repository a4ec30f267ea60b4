// Range extraction of the disk and card readers: finds the range's ends among
// the time index entries (walked from `first` along the ring to `last`), then
// sends its GOPs and entries as every reader does (RangeExtraction.h).
//
// `Reader` offers IsOpen, TellTotalLen, ReadTimeInxHd, ReadTimeInxUnit
// (offsets as data positions), Tellp, ReadGop and StopFlag.
#pragma once

#include <cstdint>

#include "player/disk/RingReader.h"
#include "player/source/RangeExtraction.h"
#include "shared/IndexRing.h"

// The last entry at `from` and the first after it at `to`: `iFrom` and the
// number of entries from it to `iTo` inclusive.
template <typename Reader>
bool FindRingRange(Reader& reader, uint64_t from, uint64_t to, InxHd* header, uint32_t* iFrom,
                   uint32_t* count) {
    if (!reader.ReadTimeInxHd(header))
        return false;
    const uint32_t span = EntrySpan(header->first, header->last);
    bool haveFrom = false;
    uint32_t kFrom = 0, i = header->first;
    for (uint32_t k = 0; k < span; ++k, i = NextEntry(i)) {
        InxUnit unit{};
        if (!reader.ReadTimeInxUnit(int(i), &unit))
            continue;
        if (unit.offset == from) {
            *iFrom = i;
            kFrom = k;
            haveFrom = true;
        } else if (unit.offset == to) {
            *count = k - kFrom + 1;
            return haveFrom;
        }
    }
    return false;
}

template <typename Reader>
int ExtractRingRange(Reader& reader, CRingReader& ring, uint64_t from, uint64_t to,
                     const ExtractCallback& callback) {
    if (!reader.IsOpen() || !callback)
        return -1;
    const uint64_t total = reader.TellTotalLen();
    if (from > total || to > total || from >= to)
        return -1;
    InxHd header{};
    uint32_t iFrom = 0, count = 0;
    if (!FindRingRange(reader, from, to, &header, &iFrom, &count) || ring.SeekLogical(from) != 0)
        return -1;
    return SendRange(reader, from, to, callback, [&] {
        return SendRangeIndex(reader, header, iFrom, count, from, callback, NextEntry);
    });
}
