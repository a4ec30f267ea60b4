// CHddSource::RebuildTimeIndex and ReplaceTimeIndex: a new time index from a
// scan of the whole data ring, and putting it in place of the disk's.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/File.h"
#include "platform/disk/Drives.h"
#include "player/disk/HddSource.h"
#include "player/disk/RingScan.h"
#include "player/source/IndexCodec.h"

namespace {

constexpr uint64_t kIndexFileSize = 16777216;  // entries 0 to 0xFFFFF

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

// Header {magic, 1, one past the newest, wrapped}, entries from 1 on in ring
// order. The header takes a record of its own, so the first minute found
// stays in the index.
bool WriteIndex(FILE* file, const RingScanResult& scan) {
    const std::vector<InxUnit>& entries = scan.entries;
    std::vector<uint8_t> bytes(16 * (entries.size() + 1));
    EncodeInxHd({kInxMagic, 1, uint32_t(entries.size() + 1), scan.wrapped ? 1u : 0u}, bytes.data());
    for (size_t i = 0; i < entries.size(); ++i)
        EncodeInxUnit(entries[i], &bytes[16 * (i + 1)]);
    return fseeko(file, 0, SEEK_SET) == 0 &&
           fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

RebuildScan CHddSource::RebuildTimeIndex(const char* dataPath, const char* outputPath,
                                         RebuildCallback callback, const std::atomic<bool>* stop,
                                         uint64_t* unreadableSectors) {
    uint64_t start = 0, length = 0;
    if (dataPath == nullptr || outputPath == nullptr ||
        !DataPartitionOf(dataPath, &start, &length) || length == 0)
        return RebuildScan::Failed;
    const HANDLE device = OpenDevice(dataPath);
    if (device == INVALID_HANDLE_VALUE)
        return RebuildScan::Failed;
    FILE* output = CreateIndexFile(outputPath);
    RingScanResult found;
    RebuildScan scan = output != nullptr ? ScanRing(device, start, length, callback, stop, &found)
                                         : RebuildScan::Failed;
    CloseHandle(device);
    if (unreadableSectors != nullptr)
        *unreadableSectors = found.unreadableSectors;
    if (scan == RebuildScan::Written && (found.entries.empty() || !WriteIndex(output, found)))
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
