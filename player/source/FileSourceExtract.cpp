// CFileSource::ExtractRange: the GOPs of a range, then its index entries.
#include <algorithm>
#include <climits>

#include "player/source/FileSource.h"
#include "player/source/RangeExtraction.h"

int CFileSource::ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback) {
    if (!IsOpen() || !callback)
        return -1;
    if (from > m_totalLen || to > m_totalLen || from >= to)
        return -1;
    InxHd header{};
    uint32_t iFrom = 0, iTo = 0;
    // The search does not look at the stop flag: a stop that comes while it
    // runs ends the extraction as any other does, with the range's index.
    if (!FindRange(from, to, &header, &iFrom, &iTo))
        return -1;
    clearerr(m_dvrFile);
    if (!SeekStream(from))
        return -1;
    m_position = from;
    // The stop flag is not cleared here: a stop that arrived while the
    // extraction thread was still opening this reader must not be lost.
    return SendRange(*this, from, to, callback,
                     [&] { return SendIndex(header, iFrom, iTo, from, callback); });
}

// Finds the last entry at `from` and the first at `to` among the entries the
// header names that the .inx really holds, so that a damaged header cannot
// make the walk run over billions of absent records.
bool CFileSource::FindRange(uint64_t from, uint64_t to, InxHd* header, uint32_t* iFrom,
                            uint32_t* iTo) {
    if (!ReadTimeInxHd(header))
        return false;
    const uint64_t records = IndexRecordCount();
    if (records == 0)
        return false;
    const uint64_t last = std::min<uint64_t>({header->last, records - 1, uint64_t(INT_MAX)});
    bool haveFrom = false;
    for (uint64_t i = std::max<uint32_t>(header->first, 1); i <= last; ++i) {
        InxUnit unit{};
        if (!ReadTimeInxUnit(int(i), &unit))
            continue;
        if (unit.offset == from) {
            *iFrom = uint32_t(i);
            haveFrom = true;
        } else if (unit.offset == to) {
            *iTo = uint32_t(i);
            return haveFrom && *iTo > *iFrom;
        }
    }
    return false;
}

bool CFileSource::SendIndex(InxHd header, uint32_t iFrom, uint32_t iTo, uint64_t from,
                            const ExtractCallback& callback) {
    return SendRangeIndex(*this, header, iFrom, iTo - iFrom + 1, from, callback,
                          [](uint32_t i) { return i + 1; });
}
