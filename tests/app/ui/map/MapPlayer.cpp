#include "MapPlayer.h"

#include <cstring>

#include "shared/ByteOrder.h"

FakeTrevane& BindMapPlayer() {
    FakeTrevane& player = BindFakeTrevane();
    player.totalLength = 1LL << 40;
    return player;
}

void SetQuickEntries(FakeTrevane& player, uint32_t first, uint32_t last,
                     const std::map<uint32_t, uint32_t>& entries) {
    player.quickIndex.header = QuickHeaderOf(first, last);
    player.quickIndex.units.clear();
    for (const auto& [record, entry] : entries) {
        QuickInxUnit unit;
        std::memset(unit.bytes, 0xEE, sizeof unit.bytes);
        StoreU32(unit.bytes, entry);
        player.quickIndex.units[record] = unit;
    }
}
