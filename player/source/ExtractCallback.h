// The extraction sink between a reader's range extraction and the player.
// Called on the extraction thread only. `data` belongs to the reader and is
// valid only during the call.
#pragma once

#include <functional>

// The codes of the sink (the host's extraction callback uses the same).
enum class ExtractCode : int {
    IndexRecord = 0,  // data: an InxHd (the first record) or an InxUnit, 16 bytes
    Gop = 1,          // data: the GOP's bytes as read; percent: progress of the range
    Finished = 2,
    Stopped = 3,
    OpenFailed = -1,     // the source could not be opened for extraction
    GopUnreadable = -2,  // one GOP could not be read and was skipped
    RangeFailed = -3,    // the range was not found or reading failed
};

// (code, percent, data, length); code is an ExtractCode number.
using ExtractCallback = std::function<void(int code, int percent, const void* data, int length)>;
