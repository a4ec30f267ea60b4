// Figures for the raw copy export, against `cp` of a .dvr file of the same
// size (the ratio is the export's time over cp's; 1.0: as fast as a plain
// copy):
// - GOPs read with the file pair reader and written by the raw copy writer;
// - a range extracted from a recorder disk image by the disk reader (its ring
//   walk and index included) and written by the raw copy writer, which is
//   what a user exporting from a disk waits for.
// Run: export_raw_bench [work directory] [MiB of recording, default 256]
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "export/raw/RawCopyWriter.h"
#include "player/disk/HddSource.h"
#include "player/source/FileSource.h"
#include "shared/IndexRecords.h"
#include "tools/diskimage/HddDriveTable.h"
#include "tools/diskimage/HddImage.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kGopBytes = 512 * 1024;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// GOPs of 16 frames of filler bytes: the copy never looks into a frame.
bool WriteSource(const std::string& base, size_t mib) {
    auto pair = recgen::PairWriter::Create(base + ".dvr", base + ".inx");
    if (!pair)
        return false;
    const size_t gops = mib * 1024 * 1024 / kGopBytes;
    for (size_t g = 0; g < gops; ++g) {
        recgen::GopBuilder builder({.version = 4, .time = uint32_t(1700000000 + g)});
        for (uint32_t f = 1; f <= 16; ++f)
            builder.AddFrame({.frameNumber = f,
                              .data = std::vector<uint8_t>(kGopBytes / 16 - 40, uint8_t(g + f))});
        if (!pair->AddGop(builder.Build()))
            return false;
    }
    return pair->Finish();
}

double TimeExport(const std::string& source, const std::string& copy) {
    const auto start = Clock::now();
    CFileSource reader;
    CRawCopyWriter writer;
    if (reader.Open((source + ".dvr").c_str(), (source + ".inx").c_str()) != 0 ||
        !writer.Open((copy + ".dvr").c_str(), (copy + ".inx").c_str()))
        return -1;
    auto buffer = std::make_unique<uint8_t[]>(kGopBufferSize);
    for (;;) {
        int length = kGopBufferSize;
        if (reader.ReadGop(buffer.get(), &length) != GopReadResult::Read)
            break;
        if (!writer.WriteGop(buffer.get(), length))
            return -1;
    }
    return writer.Close() ? SecondsSince(start) : -1;
}

// A disk image holding `mib` MiB of GOPs at the front of its ring.
bool WriteDisk(const std::string& work, size_t mib) {
    diskimage::HddImageOptions options;
    options.imagePath = work + "/disk.img";
    options.indexDir = work + "/e";
    options.partition2Length = (mib + 64) * diskimage::kMiB;
    options.plan.count = int(mib * 1024 * 1024 / kGopBytes);
    options.plan.payload = [](int) { return uint32_t(kGopBytes - 4096); };
    try {
        diskimage::WriteHddImage(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot write the disk image: %s\n", error.what());
        return false;
    }
    return diskimage::UseHddImage(work + "/table", options);
}

// The disk's recording from its first index entry to its last extracted as a
// range and written as a raw copy; the GOP bytes written in `bytes`.
double TimeDiskExport(const std::string& copy, double* bytes) {
    const auto start = Clock::now();
    CHddSource reader;
    CDataSource paths;
    CRawCopyWriter writer;
    InxHd header{};
    InxUnit first{}, last{};
    if (!reader.Detect(&paths) || reader.Open(paths) != 0 || !reader.ReadTimeInxHd(&header) ||
        !reader.ReadTimeInxUnit(int(header.first), &first) ||
        !reader.ReadTimeInxUnit(int(header.last) - 1, &last) ||
        !writer.Open((copy + ".dvr").c_str(), (copy + ".inx").c_str()))
        return -1;
    bool written = true;
    *bytes = 0;
    const int result = reader.ExtractRange(
        first.offset, last.offset, [&](int code, int, const void* data, int length) {
            if (code == int(EXTRACT_GOP)) {
                written = writer.WriteGop(data, length) && written;
                *bytes += length;
            }
        });
    return result == 0 && written && writer.Close() ? SecondsSince(start) : -1;
}

double TimeCp(const std::string& from, const std::string& to) {
    const auto start = Clock::now();
    char cp[] = "cp";
    std::string a = from, b = to;
    char* argv[] = {cp, a.data(), b.data(), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, "cp", nullptr, nullptr, argv, environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
    const size_t mib = argc > 2 ? size_t(std::atoi(argv[2])) : 256;
    const std::string work = dir + "/export-raw-bench";
    std::filesystem::create_directories(work);
    if (!WriteSource(work + "/source", mib)) {
        std::fprintf(stderr, "cannot write the source recording in %s\n", work.c_str());
        return 1;
    }
    if (!WriteDisk(work, mib))
        return 1;
    constexpr int kRuns = 3;
    double exportBest = 1e9, diskBest = 1e9, cpBest = 1e9, diskBytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        const double e = TimeExport(work + "/source", work + "/copy");
        const double d = TimeDiskExport(work + "/disk-copy", &diskBytes);
        const double c = TimeCp(work + "/source.dvr", work + "/cp.dvr");
        if (e < 0 || d < 0 || c < 0) {
            std::fprintf(stderr, "a copy failed\n");
            return 1;
        }
        exportBest = std::min(exportBest, e);
        diskBest = std::min(diskBest, d);
        cpBest = std::min(cpBest, c);
    }
    const double bytes = double(std::filesystem::file_size(work + "/source.dvr"));
    const double cpRate = bytes / cpBest;
    std::printf("raw copy export from a file pair: %8.1f MiB/s (best of %d, %.0f MiB)\n",
                bytes / exportBest / 1048576.0, kRuns, bytes / 1048576.0);
    std::printf("raw copy export of a disk range:  %8.1f MiB/s (best of %d, %.0f MiB)\n",
                diskBytes / diskBest / 1048576.0, kRuns, diskBytes / 1048576.0);
    std::printf("cp:                               %8.1f MiB/s\n", cpRate / 1048576.0);
    std::printf("time ratio to cp of as many bytes: file pair %.2f, disk range %.2f\n",
                exportBest / cpBest, diskBest / (diskBytes / cpRate));
    std::filesystem::remove_all(work);
    return 0;
}
