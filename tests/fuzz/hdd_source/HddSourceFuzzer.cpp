// Fuzzes the recorder disk reader: the input becomes a disk image (a master
// boot record and the ring in its second partition) and the first
// partition's index files, named by a fixture drive table; the reader finds
// the disk, opens it (ring start, ring end, layout, probe) and is walked
// every way the player does, across the wrap when the index says wrapped.
// Besides memory errors it traps on any walk that does not end.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/disk/DriveTableFile.h"
#include "player/disk/HddSource.h"
#include "tests/fuzz/reader_walks/ReaderWalks.h"
#include "tests/fuzz/reader_walks/RingImageInput.h"
#include "tools/diskimage/Mbr.h"

using namespace fuzzwalk;

namespace {

// Room for a wrapped ring (the 10 MiB reserve and data), and a ring much
// larger than its data, so that a read scanning past the data's end runs
// over the walks' scan budget.
constexpr uint64_t kMaxRing = 256 * 1048576;
constexpr uint64_t kRingStart = 1024;

struct Disk {
    ScratchDir dir{"hdd-source-fuzz"};
    std::string image = dir.File("hdd.img");
    std::string indexDir = dir.File("f");

    Disk() {
        std::filesystem::create_directory(indexDir);
        DriveTable table;
        table.logical = {{'F', DriveKind::Removable, indexDir, indexDir, 3}};
        table.physical = {{3, image, true}};
        if (!WriteDriveTableFile(dir.File("table"), table))
            abort();
        setenv(kDriveTableVariable, dir.File("table").c_str(), 1);
    }

    void Write(const RingImageInput& input) const {
        const int fd = open(image.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        const std::vector<uint8_t> mbr =
            diskimage::EncodeMbr({{512, 512}, {kRingStart, input.ringLength}});
        if (fd < 0 || ftruncate(fd, off_t(kRingStart + input.ringLength)) != 0 ||
            pwrite(fd, mbr.data(), mbr.size(), 0) != ssize_t(mbr.size()))
            abort();
        for (const RingChunk& c : input.chunks) {
            if (pwrite(fd, c.bytes, c.size, off_t(kRingStart + c.offset)) != ssize_t(c.size))
                abort();
        }
        close(fd);
        for (const char* name : {"/timeindex", "/eventindex", "/quickindex"})
            WriteFile(indexDir + name, input.index, input.indexSize);
    }
};

void ReadIndexes(CHddSource& reader) {
    InxHd header{};
    InxUnit unit{};
    QuickInxUnit quick{};
    reader.ReadEvtInxHd(&header);
    for (int i : {0, 1, 2, 0xFFFFF})
        reader.ReadEvtInxUnit(i, &unit), reader.ReadQuickInxUnit(i, &quick);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Disk disk;
    static std::vector<uint8_t> buffer(kGopBufferSize);
    const RingImageInput input = SplitRingImageInput(data, size, kMaxRing);
    disk.Write(input);
    DetectOpenAndWalk<CHddSource>(0, input.ringLength, buffer, ReadIndexes);
    return 0;
}
