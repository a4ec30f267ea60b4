// The result of every GOP read of every reader (file pair, hard disk, SD
// card) and of the source manager that forwards them. The numbers are fixed:
// the player's threads act on them by value.
#pragma once

enum class GopReadResult : int {
    Read = 0,      // a GOP was read; the length holds its size rounded up to 512
    End = 1,       // end of data reached reading forward
    Start = 2,     // start of data reached reading backward
    NotOpen = -1,  // reader not open, a skip count below 1, or no usable buffer
    Failed = -3,   // read error, a GOP larger than the buffer, or no reader for the type
};

// The size of the GOP buffers every caller passes (12 MiB).
inline constexpr int kGopBufferSize = 12582912;
