// What every reader fuzz target does with a source it could open: walk it
// every way the player does (forward, backward, skipping, from seeks at its
// ends and in the middle) and extract its first to last index entry. Any
// walk that does not end traps: every read must move on by at least a
// sector or end the walk. `Reader` is CFileSource, CHddSource or CSdSource.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "player/source/DataSource.h"
#include "player/source/GopReadResult.h"
#include "shared/IndexRecords.h"

namespace fuzzwalk {

// A folder of its own for the files one input becomes, in memory when it can.
class ScratchDir {
public:
    explicit ScratchDir(const char* name) {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/" + name + "-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            abort();
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr || fwrite(data, 1, size, file) != size || fclose(file) != 0)
        abort();
}

// Bytes this process has read through read system calls so far (rchar of
// /proc/self/io): what a reader scanned, however it read.
inline uint64_t BytesReadSoFar() {
    FILE* io = fopen("/proc/self/io", "r");
    unsigned long long value = 0;
    if (io == nullptr || fscanf(io, "rchar: %llu", &value) != 1)
        abort();
    fclose(io);
    return value;
}

// Any walk that reads more than this has scanned outside the data: each
// sector of the data a few times at most, and past it no more than the
// search past the newest entry and one buffer's worth.
struct ScanBudget {
    explicit ScanBudget(uint64_t dataLength)
        : limit(4 * std::min<uint64_t>(dataLength, uint64_t(1) << 40) + (32u << 20)),
          start(BytesReadSoFar()) {}
    void Check() const {
        if (BytesReadSoFar() - start > limit)
            __builtin_trap();
    }
    uint64_t limit;
    uint64_t start;
};

// Any walk longer than this has stopped moving.
struct Budget {
    explicit Budget(uint64_t dataBytes) : left(dataBytes / 512 + 4) {}
    void Spend() {
        if (left-- == 0)
            __builtin_trap();
    }
    uint64_t left;
};

inline void CheckRead(GopReadResult result, const std::vector<uint8_t>& buffer, int length) {
    if (result != GopReadResult::Read)
        return;
    if (length < 512 || length % 512 != 0 || size_t(length) > buffer.size())
        __builtin_trap();
    volatile uint8_t last = buffer[size_t(length) - 1];
    (void)last;
}

// `dataBytes` bounds the steps of a walk, `dataLength` (the reader's data
// length) the bytes it may read.
template <typename Step>
void Walk(uint64_t dataBytes, uint64_t dataLength, std::vector<uint8_t>& buffer, Step step) {
    Budget budget(dataBytes);
    const ScanBudget scanned(dataLength);
    for (;;) {
        budget.Spend();
        int length = int(buffer.size());
        const GopReadResult result = step(buffer.data(), &length);
        scanned.Check();
        CheckRead(result, buffer, length);
        if (result != GopReadResult::Read && result != GopReadResult::Failed)
            return;
    }
}

// `dataBytes` bounds the data a walk can cross: the .dvr's size, or the
// ring's raw extent.
template <typename Reader>
void WalkEveryWay(Reader& reader, uint64_t dataBytes, std::vector<uint8_t>& buffer) {
    auto read = [&](uint8_t* b, int* l) { return reader.ReadGop(b, l); };
    auto skip = [&](uint8_t* b, int* l) { return reader.SkipGop(2, b, l); };
    auto back = [&](uint8_t* b, int* l) { return reader.ReadGopBack(b, l); };
    auto skipBack = [&](uint8_t* b, int* l) { return reader.SkipGopBack(2, b, l); };
    const uint64_t total = reader.TellTotalLen();
    Walk(dataBytes, total, buffer, read);
    Walk(dataBytes, total, buffer, back);
    Walk(dataBytes, total, buffer, skip);
    for (uint64_t target : {total, total / 2, uint64_t(1000), total + 1}) {
        if (reader.Seek(target) == 0) {
            Walk(dataBytes, total, buffer, back);
            reader.Seek(target);
            Walk(dataBytes, total, buffer, skipBack);
        }
    }
}

template <typename Reader>
void ExtractFirstToLast(Reader& reader, uint64_t dataBytes) {
    InxHd header{};
    InxUnit first{}, last{};
    if (!reader.ReadTimeInxHd(&header) || header.first > 0x7FFFFFFF || header.last > 0x7FFFFFFF ||
        !reader.ReadTimeInxUnit(int(header.first), &first) ||
        !reader.ReadTimeInxUnit(int(header.last), &last))
        return;
    Budget budget(dataBytes);
    reader.ExtractRange(
        first.offset, last.offset, [&](int code, int percent, const void* data, int length) {
            if (percent < 0 || percent > 100)
                __builtin_trap();
            if (code == 1 || code == -2)
                budget.Spend();
            if (length > 0 && data != nullptr) {
                volatile uint8_t end = static_cast<const uint8_t*>(data)[length - 1];
                (void)end;
            }
        });
}

// A disk or card reader on the fixture drive table: found, opened, mapped at
// the ring's ends and middle, walked and extracted, then handed to `more`
// for the reads of its own. `rawLow` is the ring's first raw offset.
template <typename Reader, typename More>
void DetectOpenAndWalk(uint64_t rawLow, uint64_t ringLength, std::vector<uint8_t>& buffer,
                       More more) {
    Reader reader;
    CDataSource paths;
    if (!reader.Detect(&paths) || reader.Open(paths) != 0)
        return;
    for (uint64_t raw : {rawLow, rawLow + ringLength / 2, rawLow + ringLength})
        reader.LogicalToRaw(reader.RawToLogical(raw));
    WalkEveryWay(reader, ringLength, buffer);
    ExtractFirstToLast(reader, ringLength);
    more(reader);
    reader.Close();
}

}  // namespace fuzzwalk
