// CFileSource::ExtractRange: the GOPs of a range, then its index entries.
#include <algorithm>
#include <climits>
#include <limits>
#include <memory>

#include "player/source/FileSource.h"

namespace {

// done × 100 / total (total > 0) without overflow, at most 100.
int PercentOf(uint64_t done, uint64_t total) {
    if (done >= total)
        return 100;
    if (done <= std::numeric_limits<uint64_t>::max() / 100)
        return int(done * 100 / total);
    return int(std::min<uint64_t>(done / (total / 100), 100));
}

}  // namespace

int CFileSource::ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback) {
    if (!IsOpen() || !callback)
        return -1;
    if (from > m_totalLen || to > m_totalLen || from >= to)
        return -1;
    InxHd header{};
    uint32_t iFrom = 0, iTo = 0;
    if (!FindRange(from, to, &header, &iFrom, &iTo))
        return -1;
    clearerr(m_dvrFile);
    if (!SeekStream(from))
        return -1;
    m_position = from;
    // The stop flag is not cleared here: a stop that arrived while the
    // extraction thread was still opening this reader must not be lost.
    if (!SendGops(from, to, callback))
        return -1;
    if (!SendIndex(header, iFrom, iTo, from, callback))
        return -1;
    return 0;
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

bool CFileSource::SendGops(uint64_t from, uint64_t to, const ExtractCallback& callback) {
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kGopBufferSize);
    while (m_position < to && !StopFlag()) {
        const uint64_t before = m_position;
        int length = kGopBufferSize;
        const GopReadResult result = ReadGop(buffer.get(), &length);
        if (result == GopReadResult::Read) {
            callback(int(ExtractCode::Gop), PercentOf(m_position - from, to - from), buffer.get(),
                     length);
            continue;
        }
        if (result != GopReadResult::Failed)
            return false;
        callback(int(ExtractCode::GopUnreadable), 0, nullptr, 0);
        if (m_position <= before)
            return false;  // nothing moved: reading cannot go on
    }
    return true;
}

bool CFileSource::SendIndex(InxHd header, uint32_t iFrom, uint32_t iTo, uint64_t from,
                            const ExtractCallback& callback) {
    header.first = 1;
    header.last = iTo - iFrom + 1;
    callback(int(ExtractCode::IndexRecord), 1, &header, int(sizeof header));
    for (uint64_t i = iFrom; i <= iTo; ++i) {
        InxUnit unit{};
        if (!ReadTimeInxUnit(int(i), &unit))
            return false;
        unit.offset -= from;
        callback(int(ExtractCode::IndexRecord), PercentOf(i - iFrom, iTo - iFrom), &unit,
                 int(sizeof unit));
    }
    return true;
}
