// The index reads of CHddSource: the three files of the first partition.
#include "player/disk/HddSource.h"
#include "player/disk/IndexCodec.h"
#include "shared/IndexRing.h"

bool CHddSource::ReadStoredTimeHeader(InxHd* header) {
    uint8_t record[16];
    if (header == nullptr || !m_timeInx.Read(0, record))
        return false;
    *header = DecodeInxHd(record);
    return true;
}

bool CHddSource::ReadEntry(CIndexFile& file, int index, InxUnit* unit) {
    uint8_t record[16];
    if (index < 1 || unit == nullptr || !file.Read(uint32_t(index), record))
        return false;
    *unit = DecodeInxUnit(record);
    return true;
}

bool CHddSource::ReadTimeInxHd(InxHd* header) {
    if (!ReadStoredTimeHeader(header))
        return false;
    header->last = NewestOfStoredLast(header->last);
    if (m_keptStart != 0)
        header->first = m_keptStart;
    return true;
}

bool CHddSource::ReadTimeInxUnit(int index, InxUnit* unit) {
    if (!ReadEntry(m_timeInx, index, unit))
        return false;
    unit->offset = RawToLogical(unit->offset);
    return true;
}

bool CHddSource::ReadTimeInxRaw(int index, InxUnit* unit) {
    return ReadEntry(m_timeInx, index, unit);
}

bool CHddSource::ReadEvtInxHd(InxHd* header) {
    uint8_t record[16];
    if (header == nullptr || !m_eventInx.Read(0, record))
        return false;
    *header = DecodeInxHd(record);
    return true;
}

bool CHddSource::ReadEvtInxUnit(int index, InxUnit* unit) {
    if (!ReadEntry(m_eventInx, index, unit))
        return false;
    unit->offset = RawToLogical(unit->offset);
    return true;
}

bool CHddSource::ReadQuickInxHd(QuickInxHd* header) {
    return header != nullptr && m_quickInx.Read(0, header);
}

bool CHddSource::ReadQuickInxUnit(int index, QuickInxUnit* unit) {
    return index >= 1 && unit != nullptr && m_quickInx.Read(uint32_t(index), unit);
}
