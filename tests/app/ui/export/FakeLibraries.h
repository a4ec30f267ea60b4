// Fakes of the two libraries' exports that the export dialog and the
// extraction callback call, installed straight into the program's pfn_
// pointers. The player side serves a generated time index; the export side
// records what it is given. Counters that the extraction thread touches
// are atomics; the rest is read after that thread has finished.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"
#include "shared/IndexRecords.h"

namespace fakes {

struct Player {
    int openedType = 0;
    int screenNum = 4;
    int gopVersion = 4;
    int sampleRate = 8000;
    int sampleBits = 16;
    bool headerReadable = true;
    InxHd header{kInxMagic, 1, 10, 0};
    std::map<uint32_t, InxUnit> entries;  // by entry number
    int startResult = 0;
    std::vector<std::pair<uint64_t, uint64_t>> starts;  // (from, to) data positions
    std::atomic<int> stops{0};
    std::function<void()> onStop;  // runs inside zStopExtract
};

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

extern Player player;
extern Exporter exporter;

// Fresh state and every pointer the dialog and the callback use bound to
// the fakes.
void Install();

// A time index of `count` entries starting at entry `first` and going round
// the ring of 0xFFFFF entries; entry n along the index has the time
// startTime + n * step and the data position (n + 1) * 1000 + offsetBase.
void MakeTimeIndex(uint32_t first, uint32_t count, uint32_t startTime, uint32_t step,
                   uint64_t offsetBase = 0);

}  // namespace fakes
