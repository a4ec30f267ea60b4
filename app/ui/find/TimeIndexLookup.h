// Data positions found in the open source's time index, for the find
// dialog's seeks. UI thread (each call reads the index through the player
// library's exports).
#pragma once

#include <cstdint>

// The position of time-index entry `entry`: false when the header is
// unreadable, the entry lies outside the index's used part or its unit
// cannot be read.
bool TimeEntryPosition(uint32_t entry, uint64_t* offset);

// The position to play a recording time from (seconds since 1970): the unit
// of that very time, else the last unit before the first one after it.
// False when the header is unreadable, the time lies before the first
// readable unit with a time, or no unit comes after it.
bool TimeSearchPosition(int64_t time, uint64_t* offset);
