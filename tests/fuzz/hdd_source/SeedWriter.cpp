// Writes the seed inputs of the disk reader fuzzer into the folder given as
// the last argument: small diskimage disks, unwrapped and wrapped, each
// packed as one RingImageInput.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/reader_walks/RingImageInput.h"
#include "tools/diskimage/HddImage.h"

namespace {

using diskimage::kMiB;

std::vector<uint8_t> ReadPart(const std::filesystem::path& path, uint64_t offset, uint64_t size) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(size);
    in.seekg(std::streamoff(offset));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    bytes.resize(size_t(in.gcount()));
    return bytes;
}

struct Seed {
    const char* name;
    uint64_t ringLength;
    int gops;
    uint32_t firstEntry;
};

bool WriteSeed(const std::filesystem::path& folder, const Seed& seed) {
    diskimage::HddImageOptions options;
    options.imagePath = (folder / "seed.img").string();
    options.indexDir = (folder / "seed-index").string();
    options.partition2Length = seed.ringLength;
    options.firstEntry = seed.firstEntry;
    options.plan.count = seed.gops;
    options.plan.payload = [](int i) { return uint32_t(8192 - 40 - 512 * (i % 3)); };
    const diskimage::Recording r = diskimage::WriteHddImage(options);
    // The index as far as it was written: up to the highest entry used.
    uint32_t highest = 1;
    for (const diskimage::PlacedGop& g : r.written)
        highest = std::max(highest, g.entry);
    const std::vector<uint8_t> index =
        ReadPart(options.indexDir + "/timeindex", 0, 16 * (uint64_t(highest) + 2));
    std::vector<uint8_t> ring =
        ReadPart(options.imagePath, options.partition2Start, options.partition2Length);
    ring.resize(size_t(options.partition2Length));
    const std::vector<uint8_t> packed = PackRingImageInput(seed.ringLength, index, ring);
    std::filesystem::remove(options.imagePath);
    std::filesystem::remove_all(options.indexDir);
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
        {"unwrapped", kMiB, 12, 1},
        {"wrapped", 10 * kMiB + 64 * 1024, 12, 1},
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
