// Entry numbers of a recorder's time and event indexes: 1 to 0xFFFFF, then 1
// again. A walk from `first` to `last` runs to the ring's end and on from 1
// when `first` is above `last`. An index that never wrapped (a `.inx` file)
// has `first` at or below `last` and is walked as a plain run of numbers.
#pragma once

#include <cstdint>

inline constexpr uint32_t kIndexRingSize = 0xFFFFF;

inline bool IsEntryNumber(uint32_t i) {
    return i >= 1 && i <= kIndexRingSize;
}

inline uint32_t NextEntry(uint32_t i) {
    return i >= kIndexRingSize ? 1 : i + 1;
}

inline uint32_t PreviousEntry(uint32_t i) {
    return i <= 1 ? kIndexRingSize : i - 1;
}

// The entries from `first` to `last` inclusive, counted along the ring; 0
// when either is not an entry number.
inline uint32_t EntrySpan(uint32_t first, uint32_t last) {
    if (!IsEntryNumber(first) || !IsEntryNumber(last))
        return 0;
    return first <= last ? last - first + 1 : kIndexRingSize - first + 1 + last;
}

// A disk's stored `last` lies one past the newest entry: the newest is the
// entry before it along the ring (0 for an empty index).
inline uint32_t NewestOfStoredLast(uint32_t last) {
    return last == 0 ? 0 : PreviousEntry(last);
}

// The entries of an index header's range, first to last, laid out on a line
// of positions for sliders and searches: position p of [first,
// LastPosition()] stands for entry EntryAt(p). When the ring has wrapped
// (`first` above `last`), the positions count on past the ring's end, so the
// entries from 1 to `last` follow those from `first` to 0xFFFFF. An
// unwrapped range (a `.inx` file's) is its entry numbers unchanged, however
// many there are.
struct IndexSpan {
    uint32_t first;
    uint32_t last;

    bool Wrapped() const { return first > last; }
    int64_t FirstPosition() const { return first; }
    int64_t LastPosition() const { return Wrapped() ? int64_t(last) + kIndexRingSize : last; }
    uint32_t EntryAt(int64_t position) const {
        return Wrapped() && position > kIndexRingSize ? uint32_t(position - kIndexRingSize)
                                                      : uint32_t(position);
    }
    int64_t PositionOf(uint32_t entry) const {
        return Wrapped() && entry < first ? int64_t(entry) + kIndexRingSize : entry;
    }
};

// True when entry `i` lies in the used part `first` .. `last` (inclusive),
// across the ring's end when `first` is above `last`. Only entry numbers
// count: 0 or a number past the ring is never inside, nor is anything in a
// range whose ends are not entry numbers.
inline bool IsInUsedPart(uint32_t first, uint32_t last, uint32_t i) {
    if (EntrySpan(first, last) == 0 || !IsEntryNumber(i))
        return false;
    return first <= last ? first <= i && i <= last : i >= first || i <= last;
}

// Calls visit(i) for every entry from `first` to `last` in index order: a
// plain run when `first` <= `last`, else `first` up to the ring's end and on
// from 1 to `last`. visit returns false to end the walk; WalkUsedPart then
// returns false too.
template <typename Visit>
bool WalkUsedPart(uint32_t first, uint32_t last, Visit&& visit) {
    auto run = [&](uint64_t from, uint64_t to) {
        for (uint64_t i = from; i <= to; ++i) {
            if (!visit(uint32_t(i)))
                return false;
        }
        return true;
    };
    if (first <= last)
        return run(first, last);
    return run(first, kIndexRingSize) && run(1, last);
}
