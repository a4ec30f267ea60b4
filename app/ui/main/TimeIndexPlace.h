// Where a slider percent falls in the used part of the open source's time
// index, as the seek slider and its tooltip both need it: the entries are
// laid out as an IndexSpan, the place `fraction` (0..1) of the way along is
// computed in double precision and kept as a single-precision float, and
// split into its entry and the float fraction beyond it.
#pragma once

#include <cstdint>

#include "shared/IndexRecords.h"
#include "shared/IndexRing.h"

struct TimeIndexPlace {
    TimeIndexPlace(const InxHd& header, double fraction) {
        const IndexSpan span{header.first, header.last};
        count = uint32_t(span.LastPosition() - span.FirstPosition());
        const float place = float(fraction * count + header.first);
        const uint32_t position = uint32_t(place);
        entry = span.EntryAt(position);
        frac = place - float(position);
    }

    uint32_t count;  // entries after the first
    uint32_t entry;
    float frac;
};
