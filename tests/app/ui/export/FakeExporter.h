// The export library's exports that the export dialog and the extraction
// callback call, faked and installed straight into the program's pfn_
// pointers: it records what it is given. The player's side is the scripted
// player library, bound by Install. Counters that the extraction thread
// touches are atomics; the rest is read after that thread has finished.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"
#include "tests/app/ui/fake/FakeTrevane.h"

namespace fakes {

struct Exporter {
    bool preResult = true;
    std::atomic<bool> opened{false};
    std::mutex lock;                  // guards the vectors below
    std::vector<ExtractParams> pres;  // every zExtractPre record
    struct Write {
        int code;
        int channels;
        int fps0;
        bool withInfo;
    };
    std::vector<Write> writes;
    std::atomic<int> fins{0};
    // What zExtractOutput gives after zExtractFin: each path with its result
    // (0 written, 1 failed). Set before the extraction starts.
    std::vector<std::pair<std::string, int>> outputs;
};

extern Exporter exporter;

// Fresh state: the player's exports bound to the scripted library (a time
// index header of entries 1 to 10 and no units, extractions started), the
// export library's pointers to the exporter.
void Install();
// The scripted player library Install bound.
FakeTrevane& Player();

// A time index of `count` entries starting at entry `first` and going round
// the ring of 0xFFFFF entries; entry n along the index has the time
// startTime + n * step and the data position (n + 1) * 1000 + offsetBase.
void MakeTimeIndex(uint32_t first, uint32_t count, uint32_t startTime, uint32_t step,
                   uint64_t offsetBase = 0);

}  // namespace fakes
