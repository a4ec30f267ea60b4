#include "export/mov/AnnexBUnits.h"

namespace {

// Position just past the start code at or after `from`, or data.size().
size_t NextUnitStart(std::span<const uint8_t> data, size_t from, size_t* codeAt) {
    for (size_t i = from; i + 3 <= data.size(); ++i) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
            *codeAt = i;
            return i + 3;
        }
    }
    *codeAt = data.size();
    return data.size();
}

}  // namespace

bool SplitAnnexB(std::span<const uint8_t> data, std::vector<std::span<const uint8_t>>* units) {
    units->clear();
    size_t codeAt = 0;
    size_t start = NextUnitStart(data, 0, &codeAt);
    // Only zero bytes (the first of a 4-byte start code) may come before the first unit.
    for (size_t i = 0; i < codeAt; ++i) {
        if (data[i] != 0)
            return false;
    }
    if (start >= data.size())
        return false;
    while (start < data.size()) {
        size_t next = NextUnitStart(data, start, &codeAt);
        size_t end = codeAt;
        while (end > start && data[end - 1] == 0)
            --end;
        if (end == start)
            return false;
        units->push_back(data.subspan(start, end - start));
        start = next;
    }
    return true;
}
