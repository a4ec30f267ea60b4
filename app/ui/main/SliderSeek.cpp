#include "app/ui/main/SliderSeek.h"

#include "app/shell/LibraryBinding.h"
#include "app/ui/main/TimeIndexPlace.h"
#include "shared/IndexRing.h"

namespace {

bool EntryOffset(uint32_t entry, uint64_t* offset) {
    InxUnit unit{};
    if (!Call_zTellTimeInxUnit(int(entry), &unit))
        return false;
    *offset = unit.offset;
    return true;
}

// Between entry `entry` and the next: steps of count / 100 of the gap.
bool InterpolatedOffset(uint32_t entry, float frac, uint32_t count, uint64_t* position) {
    uint64_t a = 0, b = 0;
    if (!EntryOffset(entry, &a) || !EntryOffset(NextEntry(entry), &b))
        return false;
    const int64_t gap = int64_t(b - a);
    const int64_t step = int64_t(double(gap) * double(float(count / 100.0)));
    const int64_t target = int64_t(double(gap) * double(frac) + double(a));
    int64_t at = int64_t(a);
    if (step > 0) {
        while (at + step < target)
            at += step;
    }
    *position = uint64_t(at);
    return true;
}

}  // namespace

SliderSeek SliderSeekPosition(unsigned percent, int min, int max, uint64_t* position) {
    if (percent > 110)
        percent = 0;
    InxHd header{};
    if (!Call_zTellTimeInxHd(&header))
        return SliderSeek::NoIndex;
    if (int(percent) == min || int(percent) == max) {
        const uint32_t entry = int(percent) == min ? header.first : header.last;
        return EntryOffset(entry, position) ? SliderSeek::Seek : SliderSeek::None;
    }
    if (int(percent) < min || int(percent) > max)
        return SliderSeek::None;
    const TimeIndexPlace place(header, double(percent) / double(max - min));
    const bool found = place.count >= 100
                           ? EntryOffset(place.entry, position)
                           : InterpolatedOffset(place.entry, place.frac, place.count, position);
    return found ? SliderSeek::Seek : SliderSeek::None;
}
