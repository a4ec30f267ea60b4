// The two halves of every reader's range extraction, shared by the file pair,
// disk and card readers: the GOPs of [from, to), then the index entries of
// the range renumbered from 1 with offsets relative to `from`.
//
// `Reader` offers Tellp(), ReadGop(buffer, length), StopFlag() and
// ReadTimeInxUnit(i, unit) with the meanings of CFileSource. Called on the
// extraction thread; the callback gets zExtractCode numbers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include "player/source/ExtractCallback.h"
#include "player/source/GopReadResult.h"
#include "shared/IndexRecords.h"

// done × 100 / total (total > 0) without overflow, at most 100.
inline int PercentOf(uint64_t done, uint64_t total) {
    if (done >= total)
        return 100;
    if (done <= std::numeric_limits<uint64_t>::max() / 100)
        return int(done * 100 / total);
    return int(std::min<uint64_t>(done / (total / 100), 100));
}

// How the GOPs of a range went: all of them sent; all but the unreadable
// ones, each reported and passed; or reading ended before the range did.
enum class RangeGops { Whole, Incomplete, Failed };

// Reads forward from the reader's position until it reaches `to` or the stop
// flag is set; a GOP read while the stop came is not handed on, so nothing
// reaches the host once the flag is set. An unreadable GOP is reported
// (GopUnreadable) and passed, and makes the range Incomplete; Failed when
// reading ends otherwise or cannot move on.
template <typename Reader>
RangeGops SendRangeGops(Reader& reader, uint64_t from, uint64_t to,
                        const ExtractCallback& callback) {
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kGopBufferSize);
    RangeGops sent = RangeGops::Whole;
    while (reader.Tellp() < to && !reader.StopFlag()) {
        const uint64_t before = reader.Tellp();
        int length = kGopBufferSize;
        const GopReadResult result = reader.ReadGop(buffer.get(), &length);
        if (reader.StopFlag())
            break;
        if (result == GopReadResult::Read) {
            callback(int(EXTRACT_GOP), PercentOf(reader.Tellp() - from, to - from), buffer.get(),
                     length);
            continue;
        }
        if (result != GopReadResult::Failed)
            return RangeGops::Failed;
        callback(int(EXTRACT_GOP_UNREADABLE), 0, nullptr, 0);
        sent = RangeGops::Incomplete;
        if (reader.Tellp() <= before)
            return RangeGops::Failed;  // nothing moved: reading cannot go on
    }
    return sent;
}

// The GOPs of the range, then its index (SendRangeIndex through
// `sendIndex`): 0 when every GOP arrived, else -1. A range that lost a GOP
// still gets its index, but never counts as extracted whole.
template <typename Reader, typename SendIndex>
int SendRange(Reader& reader, uint64_t from, uint64_t to, const ExtractCallback& callback,
              SendIndex sendIndex) {
    const RangeGops gops = SendRangeGops(reader, from, to, callback);
    if (gops == RangeGops::Failed || !sendIndex())
        return -1;
    return gops == RangeGops::Whole ? 0 : -1;
}

// Sends `header` as the range's (first 1, last `count`), then the `count`
// entries from `iFrom` on, each entry number following the one before by
// `next`. `count` is at least 2.
template <typename Reader, typename Next>
bool SendRangeIndex(Reader& reader, InxHd header, uint32_t iFrom, uint32_t count, uint64_t from,
                    const ExtractCallback& callback, Next next) {
    header.first = 1;
    header.last = count;
    callback(int(EXTRACT_INDEX_RECORD), 1, &header, int(sizeof header));
    uint32_t i = iFrom;
    for (uint32_t k = 0; k < count; ++k, i = next(i)) {
        InxUnit unit{};
        if (!reader.ReadTimeInxUnit(int(i), &unit))
            return false;
        unit.offset -= from;
        callback(int(EXTRACT_INDEX_RECORD), PercentOf(k, count - 1), &unit, int(sizeof unit));
    }
    return true;
}
