// CHddSource::RebuildTimeIndex and ReplaceTimeIndex: a new time index from a
// scan of the whole data ring, and putting it in place of the disk's.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/File.h"
#include "platform/disk/Drives.h"
#include "player/disk/HddSource.h"
#include "player/source/IndexCodec.h"
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
uint64_t NextScanOffset(const FrameHeader& header, uint64_t raw, uint64_t length) {
    if (header.magic != kFrameMagic)
        return raw + kSector;
    const uint64_t size = GopStorageSize(header.gopLength);
    if (header.gopLength <= kSector || raw + size > length)
        return raw + kSector;
    return raw + size;
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

// Header {magic, 1, one past the newest, not wrapped}, entries from 1 on in
// the order the scan found them. The header takes a record of its own, so
// the first minute found stays in the index.
bool WriteIndex(FILE* file, const std::vector<InxUnit>& entries) {
    std::vector<uint8_t> bytes(16 * (entries.size() + 1));
    EncodeInxHd({kInxMagic, 1, uint32_t(entries.size() + 1), 0}, bytes.data());
    for (size_t i = 0; i < entries.size(); ++i)
        EncodeInxUnit(entries[i], &bytes[16 * (i + 1)]);
    return fseeko(file, 0, SEEK_SET) == 0 &&
           fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Minute entries of the ring in scan order: raw offsets only grow, so the
// reader never takes the index for a wrapped ring, whatever the recorder's
// clock did (a clock set back, the end of summer time).
RebuildScan ScanRing(HANDLE device, uint64_t start, uint64_t length, RebuildCallback callback,
                     const std::atomic<bool>* stop, std::vector<InxUnit>* entries) {
    uint32_t lastTime = 0;
    for (uint64_t raw = 0; raw < length;) {
        if (stop != nullptr && stop->load())
            return RebuildScan::Stopped;
        uint8_t sector[kSectorSize];
        if (!ReadSector(device, start + raw, sector))
            return RebuildScan::Failed;
        const FrameHeader header = ReadFrameHeader(sector);
        if (header.magic == kFrameMagic && header.time != lastTime && header.time % 60 == 0 &&
            entries->size() < kMaxRebuiltEntries) {
            entries->push_back({header.time, 0, raw});
            lastTime = header.time;
        }
        raw = NextScanOffset(header, raw, length);
        if (callback != nullptr)
            callback(kRebuildKind, nullptr, Progress(raw, length));
        Sleep(1);  // keeps the machine responsive during a scan of hours
    }
    return RebuildScan::Written;
}

}  // namespace

RebuildScan CHddSource::RebuildTimeIndex(const char* dataPath, const char* outputPath,
                                         RebuildCallback callback, const std::atomic<bool>* stop) {
    uint64_t start = 0, length = 0;
    if (dataPath == nullptr || outputPath == nullptr ||
        !DataPartitionOf(dataPath, &start, &length) || length == 0)
        return RebuildScan::Failed;
    const HANDLE device = OpenDevice(dataPath);
    if (device == INVALID_HANDLE_VALUE)
        return RebuildScan::Failed;
    FILE* output = CreateIndexFile(outputPath);
    std::vector<InxUnit> entries;
    RebuildScan scan = output != nullptr ? ScanRing(device, start, length, callback, stop, &entries)
                                         : RebuildScan::Failed;
    CloseHandle(device);
    if (scan == RebuildScan::Written && (entries.empty() || !WriteIndex(output, entries)))
        scan = RebuildScan::Failed;
    if (output != nullptr && fclose(output) != 0 && scan == RebuildScan::Written)
        scan = RebuildScan::Failed;
    return scan;
}

bool CHddSource::ReplaceTimeIndex(const char* rebuiltPath, const char* timeIndexPath) {
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
        if (fs::is_regular_file(staged, error))  // a folder of that name is not ours
            fs::remove(staged, error);
        return false;
    }
    fs::rename(staged, target, error);
    if (error) {
        fs::remove(staged, error);
        return false;
    }
    return true;
}
