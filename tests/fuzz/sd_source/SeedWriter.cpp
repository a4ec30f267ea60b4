// Writes the seed inputs of the SD card reader fuzzer into the folder given
// as the last argument: small diskimage cards, unwrapped and wrapped, each
// packed as one RingImageInput.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fuzz/reader_walks/RingImageInput.h"
#include "tools/diskimage/SdImage.h"

namespace {

using diskimage::kMiB;

std::vector<uint8_t> ReadPart(const std::filesystem::path& path, uint64_t offset, uint64_t size) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(size);
    in.seekg(std::streamoff(offset));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    bytes.resize(size_t(size));
    return bytes;
}

struct Seed {
    const char* name;
    uint64_t ringLength;
    int gops;
};

bool WriteSeed(const std::filesystem::path& folder, const Seed& seed) {
    diskimage::SdImageOptions options;
    options.imagePath = (folder / "seed.img").string();
    options.indexOffset = kMiB;  // as the fuzz target places it
    options.cardSize = options.indexOffset + diskimage::kSdAreasSize + seed.ringLength;
    options.plan.count = seed.gops;
    options.plan.payload = [](int i) { return uint32_t(8192 - 40 - 512 * (i % 3)); };
    const diskimage::Recording r = diskimage::WriteSdImage(options);
    uint32_t highest = 1;
    for (const diskimage::PlacedGop& g : r.written)
        highest = std::max(highest, g.entry);
    const std::vector<uint8_t> index =
        ReadPart(options.imagePath, options.indexOffset, 16 * (uint64_t(highest) + 2));
    const std::vector<uint8_t> ring =
        ReadPart(options.imagePath, options.indexOffset + diskimage::kSdAreasSize, seed.ringLength);
    const std::vector<uint8_t> packed = PackRingImageInput(seed.ringLength, index, ring);
    std::filesystem::remove(options.imagePath);
    std::ofstream out(folder / seed.name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packed.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[argc - 1];
    std::filesystem::create_directories(folder);
    const Seed seeds[] = {
        {"unwrapped", 256 * 1024, 12},
        {"wrapped", 64 * 1024, 12},
    };
    for (const Seed& seed : seeds) {
        try {
            if (!WriteSeed(folder, seed)) {
                fprintf(stderr, "cannot write seed %s\n", seed.name);
                return 1;
            }
        } catch (const std::exception& e) {
            fprintf(stderr, "cannot write seed %s: %s\n", seed.name, e.what());
            return 1;
        }
    }
    return 0;
}
