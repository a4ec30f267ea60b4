// The 16-byte index records as stored: little-endian, whatever the host.
#pragma once

#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"

inline InxHd DecodeInxHd(const uint8_t* record) {
    return {LoadU32(record), LoadU32(record + 4), LoadU32(record + 8), LoadU32(record + 12)};
}

inline InxUnit DecodeInxUnit(const uint8_t* record) {
    return {LoadU32(record), LoadU32(record + 4), LoadU64(record + 8)};
}

inline void EncodeInxHd(const InxHd& header, uint8_t* record) {
    StoreU32(record, header.magic);
    StoreU32(record + 4, header.first);
    StoreU32(record + 8, header.last);
    StoreU32(record + 12, header.wrapped);
}

inline void EncodeInxUnit(const InxUnit& unit, uint8_t* record) {
    StoreU32(record, unit.time);
    StoreU32(record + 4, unit.event);
    StoreU64(record + 8, unit.offset);
}
