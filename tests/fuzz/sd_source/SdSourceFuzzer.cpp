// Fuzzes the SD card reader: the input becomes a card image (the header
// sector, the time index area and the ring behind the index areas), the one
// physical drive of a fixture drive table; the reader finds the card by its
// header, opens it and is walked every way the player does, across the wrap
// from the card's end to its data start when the index says wrapped.
// Besides memory errors it traps on any walk that does not end.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/disk/DriveTableFile.h"
#include "player/disk/SdSource.h"
#include "tests/fuzz/reader_walks/ReaderWalks.h"
#include "tests/fuzz/reader_walks/RingImageInput.h"
#include "tools/diskimage/SdImage.h"

using namespace fuzzwalk;

namespace {

// A ring much larger than its data, so that a read scanning past the data's
// end runs over the walks' scan budget.
constexpr uint64_t kMaxRing = 256 * 1048576;
constexpr uint64_t kIndexOffset = diskimage::kMiB;  // T
constexpr uint64_t kDataStart = kIndexOffset + diskimage::kSdAreasSize;
constexpr uint64_t kTimeAreaSize = 16 * diskimage::kMiB;

struct Card {
    ScratchDir dir{"sd-source-fuzz"};
    std::string image = dir.File("card.img");

    Card() {
        DriveTable table;
        table.physical = {{1, image, true}};
        if (!WriteDriveTableFile(dir.File("table"), table))
            abort();
        setenv(kDriveTableVariable, dir.File("table").c_str(), 1);
    }

    void Write(const RingImageInput& input) const {
        uint8_t header[512] = {};
        std::strcpy(reinterpret_cast<char*>(header), "SD RAW FORMAT");
        StoreU64(header + 144, kIndexOffset);
        const size_t indexSize = std::min<size_t>(input.indexSize, kTimeAreaSize);
        const int fd = open(image.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 || ftruncate(fd, off_t(kDataStart + input.ringLength)) != 0 ||
            pwrite(fd, header, sizeof header, off_t(diskimage::kSdHeaderOffset)) != 512 ||
            pwrite(fd, input.index, indexSize, off_t(kIndexOffset)) != ssize_t(indexSize))
            abort();
        for (const RingChunk& c : input.chunks) {
            if (pwrite(fd, c.bytes, c.size, off_t(kDataStart + c.offset)) != ssize_t(c.size))
                abort();
        }
        close(fd);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Card card;
    static std::vector<uint8_t> buffer(kGopBufferSize);
    const RingImageInput input = SplitRingImageInput(data, size, kMaxRing);
    card.Write(input);
    DetectOpenAndWalk<CSdSource>(kDataStart, input.ringLength, buffer, [](CSdSource& reader) {
        InxHd header{};
        InxUnit unit{};
        reader.ReadEvtInxHd(&header);
        reader.ReadEvtInxUnit(1, &unit);
    });
    return 0;
}
