// The index reads of CHddSource: the three files of the first partition.
#include "player/disk/HddSource.h"
#include "player/disk/IndexReads.h"
#include "shared/IndexRing.h"

bool CHddSource::ReadTimeInxHd(InxHd* header) {
    if (!ReadIndexHeader(m_timeInx, header))
        return false;
    header->last = NewestOfStoredLast(header->last);
    if (m_keptStart != 0)
        header->first = m_keptStart;
    return true;
}

bool CHddSource::ReadTimeInxUnit(int index, InxUnit* unit) {
    return ReadMappedEntry(m_timeInx, index, unit, [this](uint64_t r) { return RawToLogical(r); });
}

bool CHddSource::ReadTimeInxRaw(int index, InxUnit* unit) {
    return ReadIndexEntry(m_timeInx, index, unit);
}

bool CHddSource::ReadEvtInxHd(InxHd* header) {
    return ReadIndexHeader(m_eventInx, header);
}

bool CHddSource::ReadEvtInxUnit(int index, InxUnit* unit) {
    return ReadMappedEntry(m_eventInx, index, unit, [this](uint64_t r) { return RawToLogical(r); });
}

bool CHddSource::ReadQuickInxHd(QuickInxHd* header) {
    return ReadQuickRecord(m_quickInx, 0, header);
}

bool CHddSource::ReadQuickInxUnit(int index, QuickInxUnit* unit) {
    return index >= 1 && ReadQuickRecord(m_quickInx, index, unit);
}
