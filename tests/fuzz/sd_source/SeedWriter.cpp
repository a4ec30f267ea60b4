// Writes the seed inputs of the SD card reader fuzzer into the folder given
// as the last argument: small diskimage cards, unwrapped and wrapped, each
// packed as one RingImageInput.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "tests/fuzz/reader_walks/RingImageInput.h"
#include "tests/fuzz/reader_walks/SeedFiles.h"
#include "tools/diskimage/SdImage.h"

namespace {

using diskimage::kMiB;

struct Seed {
    const char* name;
    uint64_t ringLength;
    int gops;
    int damaged = -1;  // this GOP's length field says 11 MiB
};

bool WriteSeed(const std::filesystem::path& folder, const Seed& seed) {
    diskimage::SdImageOptions options;
    options.imagePath = (folder / "seed.img").string();
    options.indexOffset = kMiB;  // as the fuzz target places it
    options.cardSize = options.indexOffset + diskimage::kSdAreasSize + seed.ringLength;
    options.plan.count = seed.gops;
    options.plan.payload = [](int i) { return uint32_t(8192 - 40 - 512 * (i % 3)); };
    options.plan.statedLength = [&seed](int i) { return i == seed.damaged ? 11u << 20 : 0u; };
    const diskimage::Recording r = diskimage::WriteSdImage(options);
    uint32_t highest = 1;
    for (const diskimage::PlacedGop& g : r.written)
        highest = std::max(highest, g.entry);
    const std::vector<uint8_t> index = fuzzseed::ReadFilePart(
        options.imagePath, options.indexOffset, 16 * (uint64_t(highest) + 2));
    const std::vector<uint8_t> ring = fuzzseed::ReadFilePart(
        options.imagePath, options.indexOffset + diskimage::kSdAreasSize, seed.ringLength);
    const std::vector<uint8_t> packed = PackRingImageInput(seed.ringLength, index, ring);
    std::filesystem::remove(options.imagePath);
    return fuzzseed::WriteSeedFile(folder / seed.name, packed);
}

}  // namespace

int main(int argc, char** argv) {
    const Seed seeds[] = {
        {"unwrapped", 256 * 1024, 12},
        {"wrapped", 64 * 1024, 12},
        // Damaged lengths in a ring much larger than its data.
        {"unwrapped-damaged", 64 * kMiB, 12, 6},
        {"wrapped-damaged", 64 * 1024, 12, 10},
    };
    return fuzzseed::WriteEverySeed(argc, argv, seeds, WriteSeed);
}
