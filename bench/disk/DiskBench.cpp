// Figures for the disk reader: how long opening a large, mostly empty disk
// takes (unwrapped, and wrapped near the ring's end), and the rebuild's scan
// rate over dense GOPs and over empty sectors, with its 1 ms pause per step.
// Run: disk_bench [work directory]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "player/disk/HddSource.h"
#include "tools/diskimage/HddDriveTable.h"
#include "tools/diskimage/HddImage.h"

namespace {

using Clock = std::chrono::steady_clock;
using diskimage::kMiB;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

diskimage::HddImageOptions Disk(const std::string& dir, uint64_t ringLength) {
    diskimage::HddImageOptions options;
    options.imagePath = dir + "/disk.img";
    options.indexDir = dir + "/e";
    options.partition2Length = ringLength;
    return options;
}

void BenchOpen(const std::string& dir, const char* name, diskimage::HddImageOptions options) {
    const diskimage::Recording r = diskimage::WriteHddImage(options);
    diskimage::UseHddImage(dir + "/table", options);
    constexpr int kRuns = 5;
    double total = 0;
    uint64_t length = 0;
    for (int run = 0; run < kRuns; ++run) {
        CHddSource reader;
        CDataSource paths;
        const auto start = Clock::now();
        if (!reader.Detect(&paths) || reader.Open(paths) != 0) {
            std::printf("open %s: failed\n", name);
            return;
        }
        total += SecondsSince(start);
        length = reader.TellTotalLen();
    }
    std::printf("open %-34s %8.2f ms  (%zu GOPs, %s, %.1f MiB of data)\n", name,
                total / kRuns * 1000, r.written.size(), r.wrapped ? "wrapped" : "not wrapped",
                double(length) / double(kMiB));
}

// A wrapped disk whose index holds a whole ring of entries, none of them the
// start: the open walks all 0xFFFFE of them down to the stored `first`.
void BenchFullIndexWalk(const std::string& dir) {
    diskimage::HddImageOptions options = Disk(dir, 256 * 1024 * kMiB);
    options.plan.count = 100;
    options.startRaw = options.partition2Length - diskimage::kHddReserve - 4 * kMiB;
    const diskimage::Recording r = diskimage::WriteHddImage(options);
    diskimage::SparseImage index(options.indexDir + "/timeindex", 16 * kMiB);
    const diskimage::PlacedGop& newest = r.written.back();
    for (uint32_t i = 2; i < diskimage::kIndexRingSize; ++i)
        diskimage::WriteInxEntry(index, 0, i, newest.time - 1, 0, newest.raw - 512);
    diskimage::WriteInxEntry(index, 0, 1, r.written.front().time, 0, r.written.front().raw);
    diskimage::WriteInxEntry(index, 0, diskimage::kIndexRingSize, newest.time, 0, newest.raw);
    diskimage::WriteInxRecord(index, 0, 0, kInxMagic, 1, 1, 1);
    diskimage::UseHddImage(dir + "/table", options);
    CHddSource reader;
    CDataSource paths;
    const auto start = Clock::now();
    const bool opened = reader.Detect(&paths) && reader.Open(paths) == 0;
    std::printf("open %-34s %8.2f ms%s\n", "wrapped, 1M entries walked", SecondsSince(start) * 1000,
                opened ? "" : " (failed)");
}

void BenchRebuild(const std::string& dir, const char* name, diskimage::HddImageOptions options) {
    diskimage::WriteHddImage(options);
    diskimage::UseHddImage(dir + "/table", options);
    const auto start = Clock::now();
    const bool rebuilt =
        CHddSource::RebuildTimeIndex("\\\\.\\PHYSICALDRIVE1", (dir + "/rebuilt").c_str(),
                                     nullptr) == RebuildScan::Written;
    const double seconds = SecondsSince(start);
    std::printf("rebuild %-31s %8.2f MB/s (%.1f MiB in %.2f s%s)\n", name,
                double(options.partition2Length) / 1e6 / seconds,
                double(options.partition2Length) / double(kMiB), seconds,
                rebuilt ? "" : ", no minute found");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir =
        argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "disk_bench").string();
    std::filesystem::create_directories(dir);

    diskimage::HddImageOptions flat = Disk(dir, 256 * 1024 * kMiB);  // 256 GiB, 200 GOPs
    flat.plan.count = 200;
    BenchOpen(dir, "256 GiB, 200 GOPs at the front", flat);

    diskimage::HddImageOptions wrapped = Disk(dir, 256 * 1024 * kMiB);
    wrapped.startRaw = wrapped.partition2Length - diskimage::kHddReserve - 4 * kMiB;
    wrapped.plan.count = 2000;
    BenchOpen(dir, "256 GiB, wrapped near its end", wrapped);

    BenchFullIndexWalk(dir);

    diskimage::HddImageOptions dense = Disk(dir, 64 * kMiB);  // GOPs of about 200 KB
    dense.plan.count = 60 * 5;
    dense.plan.payload = [](int i) { return uint32_t(180000 + (i * 7919) % 40000); };
    BenchRebuild(dir, "64 MiB ring, 200 KB GOPs, reserve empty", dense);

    diskimage::HddImageOptions empty = Disk(dir, 2 * kMiB);
    BenchRebuild(dir, "2 MiB of empty sectors", empty);

    std::filesystem::remove_all(dir);
    return 0;
}
