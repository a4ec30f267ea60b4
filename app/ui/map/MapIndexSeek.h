// Where a click on a map page seeks: data positions found through the player
// library's time and quick indexes (Call_zTellTimeInxHd, ...). Both indexes
// are rings of entry numbers: a header whose `first` lies above its `last`
// has wrapped, and its entries run from `first` to the ring's end and on
// from 1 to `last`. Any thread (the program calls them on the UI thread).
#pragma once

#include <cstdint>

// The position of recording time `time`: the first entry whose time is not
// below it (signed 32-bit comparison); the first entry's own position when
// that is the one, else the position interpolated from the entry before it.
// False when the index cannot be read or no entry qualifies.
bool FindTimeSeekTarget(uint32_t time, uint64_t* target);

// The position of quick-index record `record`: the time-index entry the
// record names. The number must lie inside both indexes' used ranges and
// every read must succeed; false otherwise.
bool FindQuickSeekTarget(uint32_t record, uint64_t* target);
