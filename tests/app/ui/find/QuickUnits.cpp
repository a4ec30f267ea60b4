#include "tests/app/ui/find/QuickUnits.h"

#include <algorithm>
#include <cstring>

#include "shared/ByteOrder.h"

namespace findtest {

QuickInxUnit MakeQuickUnit(const QuickFields& fields) {
    QuickInxUnit unit{};
    StoreU32(unit.bytes, fields.timeEntry);
    StoreU16(unit.bytes + 4, fields.speedKmh);
    StoreU16(unit.bytes + 6, fields.temperature);
    for (int axis = 0; axis < 3; ++axis)
        unit.bytes[8 + axis] = uint8_t(fields.g[axis]);
    unit.bytes[12] = uint8_t(fields.tyreCount >= 0 ? fields.tyreCount : int(fields.tyres.size()));
    for (size_t t = 0; t < fields.tyres.size() && 17 + 2 * t < 84; ++t) {
        unit.bytes[16 + 2 * t] = fields.tyres[t].first;
        unit.bytes[17 + 2 * t] = fields.tyres[t].second;
    }
    std::memcpy(unit.bytes + 84, fields.latitude.data(),
                std::min<size_t>(fields.latitude.size(), 10));
    std::memcpy(unit.bytes + 96, fields.longitude.data(),
                std::min<size_t>(fields.longitude.size(), 11));
    return unit;
}

}  // namespace findtest
