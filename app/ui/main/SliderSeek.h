// Where a release of the seek slider seeks to: a data position taken from
// the open source's time index (zTellTimeInxHd, zTellTimeInxUnit).
#pragma once

#include <cstdint>

enum class SliderSeek {
    NoIndex,  // the index header cannot be read: the slider goes back to 0
    None,     // nothing to seek to
    Seek,
};

// `percent` outside 0..110 counts as 0; `min` and `max` are the slider's
// range. With fewer than 100 entries the position moves from the entry
// before the point in steps of one slider percent of the gap to the next
// entry, ending just below the interpolated point; a gap that gives no
// forward step lands on the entry itself.
SliderSeek SliderSeekPosition(unsigned percent, int min, int max, uint64_t* position);
