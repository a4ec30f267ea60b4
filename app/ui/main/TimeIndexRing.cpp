#include "app/ui/main/TimeIndexRing.h"

uint32_t TimeIndexCount(const InxHd& header) {
    if (header.first < header.last)
        return header.last - header.first;
    return kTimeIndexRing - header.first + header.last;
}

float TimeIndexPlace(const InxHd& header, double fraction) {
    float place = float(fraction * TimeIndexCount(header) + header.first);
    if (place > 1048575.0f)
        place -= 1048575.0f;
    return place;
}

uint32_t NextTimeIndexEntry(uint32_t entry) {
    const uint32_t next = entry + 1;
    return next > kTimeIndexRing ? next - kTimeIndexRing : next;
}
