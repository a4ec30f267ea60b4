// One index as the scripted player library serves it: a header (none: the
// header cannot be read) and its units by entry number. Units are placed
// along the ring of entry numbers the recorders use (after 0xFFFFF comes 1);
// entry 0 is never read, as in the real library.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <type_traits>
#include <vector>

#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "shared/IndexRing.h"
#include "shared/QuickIndexRecords.h"

// A quick index's header naming its first and last record.
inline QuickInxHd QuickHeaderOf(uint32_t first, uint32_t last) {
    QuickInxHd header{};
    StoreU32(header.bytes, kInxMagic);
    StoreU32(header.bytes + 4, first);
    StoreU32(header.bytes + 8, last);
    return header;
}

template <typename Header, typename Unit>
struct FakeIndex {
    std::optional<Header> header;
    std::map<uint32_t, Unit> units;

    // What the library's zTell...InxUnit gives for `index`.
    bool Read(int index, Unit* out) const {
        const auto found = units.find(uint32_t(index));
        if (index < 1 || found == units.end())
            return false;
        *out = found->second;
        return true;
    }

    // Puts `placed` from entry `first` on along the ring, in place of every
    // unit, and makes the header name them.
    void Place(uint32_t first, const std::vector<Unit>& placed) {
        units.clear();
        uint32_t entry = first, last = first;
        for (const Unit& unit : placed) {
            units[entry] = unit;
            last = entry;
            entry = NextEntry(entry);
        }
        header = HeaderOf(first, last);
    }

    void Clear() {
        header.reset();
        units.clear();
    }

private:
    static Header HeaderOf(uint32_t first, uint32_t last) {
        if constexpr (std::is_same_v<Header, QuickInxHd>)
            return QuickHeaderOf(first, last);
        else
            return Header{kInxMagic, first, last, first > last ? 1u : 0u};
    }
};

using FakeTimeIndex = FakeIndex<InxHd, InxUnit>;
using FakeQuickIndex = FakeIndex<QuickInxHd, QuickInxUnit>;
