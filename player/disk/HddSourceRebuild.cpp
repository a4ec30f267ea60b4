// CHddSource::RebuildTimeIndex and ReplaceTimeIndex: a new time index from a
// scan of the whole data ring, and putting it in place of the disk's.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/File.h"
#include "platform/disk/Drives.h"
#include "player/disk/HddSource.h"
#include "player/disk/IndexCodec.h"
#include "player/source/Sectors.h"
#include "player/source/SeekHandle64.h"
#include "shared/IndexRing.h"

namespace {

constexpr uint64_t kIndexFileSize = 16777216;  // entries 0 to 0xFFFFF
// The stored `last` (one past the newest) must stay an entry number.
constexpr size_t kMaxRebuiltEntries = kIndexRingSize - 1;

int Progress(uint64_t done, uint64_t total) {
    return int(double(std::min(done, total)) / double(total) * 10000.0);
}

bool ReadSector(HANDLE device, uint64_t offset, uint8_t* sector) {
    DWORD got = 0;
    return SeekHandle64(device, offset, FILE_BEGIN) != kSeekFailed &&
           ReadFile(device, sector, kSectorSize, &got) && got == DWORD(kSectorSize);
}

// Where the scan goes after the sector at `raw`. A header's length is
// trusted only when it leads past this sector and stays inside the
// partition; otherwise the very next sector is examined, so that no GOP
// header is passed over.
uint64_t NextScanOffset(const uint8_t* sector, uint64_t raw, uint64_t length) {
    if (LoadU32(sector) != kFrameMagic)
        return raw + kSector;
    const uint32_t gopLength = LoadU32(sector + 32);
    const uint64_t size = GopStorageSize(gopLength);
    if (gopLength <= kSector || raw + size > length)
        return raw + kSector;
    return raw + size;
}

// The recorder's ring holds laps side by side: in time order the entries
// of the older lap come first. Sorting by time puts them so, and a
// resulting drop in raw offsets tells the reader that the ring has wrapped.
bool SortByTime(std::vector<InxUnit>* entries) {
    std::stable_sort(entries->begin(), entries->end(),
                     [](const InxUnit& a, const InxUnit& b) { return a.time < b.time; });
    if (entries->size() > kMaxRebuiltEntries)
        entries->erase(entries->begin(), entries->end() - long(kMaxRebuiltEntries));
    return std::adjacent_find(entries->begin(), entries->end(), [](const auto& a, const auto& b) {
               return b.offset < a.offset;
           }) != entries->end();
}

// The output exists, pre-sized and empty, before the scan starts, so that an
// unwritable place fails at once rather than after hours of scanning.
FILE* CreateIndexFile(const char* path) {
    FILE* file = fopen(path, "w+b");
    if (file != nullptr && ftruncate(fileno(file), off_t(kIndexFileSize)) != 0) {
        fclose(file);
        return nullptr;
    }
    return file;
}

// Header {magic, 1, one past the newest, wrapped}, entries from 1 on.
bool WriteIndex(FILE* file, const std::vector<InxUnit>& entries, bool wrapped) {
    std::vector<uint8_t> bytes(16 * (entries.size() + 1));
    EncodeInxHd({kInxMagic, 1, uint32_t(entries.size() + 1), wrapped ? 1u : 0u}, bytes.data());
    for (size_t i = 0; i < entries.size(); ++i)
        EncodeInxUnit(entries[i], &bytes[16 * (i + 1)]);
    return fseeko(file, 0, SEEK_SET) == 0 &&
           fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Minute entries of the ring, in scan order; false when a sector cannot be read.
bool ScanRing(HANDLE device, uint64_t start, uint64_t length, RebuildCallback callback,
              std::vector<InxUnit>* entries) {
    uint32_t lastTime = 0;
    for (uint64_t raw = 0; raw < length;) {
        uint8_t sector[kSectorSize];
        if (!ReadSector(device, start + raw, sector))
            return false;
        const uint32_t time = LoadU32(sector + 12);
        if (LoadU32(sector) == kFrameMagic && time != lastTime && time % 60 == 0) {
            entries->push_back({time, 0, raw});
            lastTime = time;
        }
        raw = NextScanOffset(sector, raw, length);
        if (callback != nullptr)
            callback(kRebuildKind, nullptr, Progress(raw, length));
        Sleep(1);  // keeps the machine responsive during a scan of hours
    }
    return true;
}

}  // namespace

bool CHddSource::RebuildTimeIndex(const char* dataPath, const char* outputPath,
                                  RebuildCallback callback) {
    uint64_t start = 0, length = 0;
    if (dataPath == nullptr || outputPath == nullptr ||
        !DataPartitionOf(dataPath, &start, &length) || length == 0)
        return false;
    const HANDLE device = OpenDevice(dataPath);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    FILE* output = CreateIndexFile(outputPath);
    std::vector<InxUnit> entries;
    const bool scanned = output != nullptr && ScanRing(device, start, length, callback, &entries);
    CloseHandle(device);
    bool written = false;
    if (scanned && !entries.empty()) {
        const bool wrapped = SortByTime(&entries);
        written = WriteIndex(output, entries, wrapped);
    }
    if (output != nullptr)
        written = (fclose(output) == 0) && written;
    return written;
}

bool CHddSource::ReplaceTimeIndex(const char* rebuiltPath, const char* timeIndexPath,
                                  RebuildCallback callback) {
    namespace fs = std::filesystem;
    if (rebuiltPath == nullptr || timeIndexPath == nullptr)
        return false;
    const fs::path target = timeIndexPath;
    const fs::path backup = std::string(timeIndexPath) + ".bak";
    const fs::path staged = std::string(timeIndexPath) + ".new";
    std::error_code error;
    if (fs::exists(target, error) &&
        !fs::copy_file(target, backup, fs::copy_options::overwrite_existing, error))
        return false;
    // Staged beside the target and renamed, so the disk never holds half an index.
    if (!fs::copy_file(rebuiltPath, staged, fs::copy_options::overwrite_existing, error)) {
        fs::remove(staged, error);
        return false;
    }
    fs::rename(staged, target, error);
    if (error) {
        fs::remove(staged, error);
        return false;
    }
    if (callback != nullptr)
        callback(kRebuildKind, nullptr, kRebuildDone);
    return true;
}
