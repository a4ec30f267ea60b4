// The index record reads the disk and card readers share, over any store of
// fixed-size records offering Read(index, record): the disk's index files
// (CIndexFile) and the card's index areas (CIndexArea). Record 0 is the
// header; entries and quick records are numbered from 1.
#pragma once

#include <cstdint>

#include "player/source/IndexCodec.h"
#include "shared/IndexRecords.h"

template <typename Store>
bool ReadIndexHeader(Store& store, InxHd* header) {
    uint8_t record[16];
    if (header == nullptr || !store.Read(0, record))
        return false;
    *header = DecodeInxHd(record);
    return true;
}

// Entry `index` as stored, its offset raw.
template <typename Store>
bool ReadIndexEntry(Store& store, int index, InxUnit* unit) {
    uint8_t record[16];
    if (index < 1 || unit == nullptr || !store.Read(uint32_t(index), record))
        return false;
    *unit = DecodeInxUnit(record);
    return true;
}

// Entry `index` with its raw offset mapped by `toPosition` (all ones outside
// the readable range).
template <typename Store, typename Map>
bool ReadMappedEntry(Store& store, int index, InxUnit* unit, Map toPosition) {
    if (!ReadIndexEntry(store, index, unit))
        return false;
    unit->offset = toPosition(unit->offset);
    return true;
}

// A 128-byte quick record, unchanged: the header for index 0.
template <typename Store, typename Record>
bool ReadQuickRecord(Store& store, int index, Record* record) {
    return index >= 0 && record != nullptr && store.Read(uint32_t(index), record);
}
