// What the reader fuzzers' seed writers share: reading part of a generated
// file, writing one packed seed, and the main that writes every seed into
// the folder given as the last argument.
#pragma once

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fuzzseed {

// `size` bytes from `offset`; what lies past the file's end reads as zeros.
inline std::vector<uint8_t> ReadFilePart(const std::filesystem::path& path, uint64_t offset,
                                         uint64_t size) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(size);
    in.seekg(std::streamoff(offset));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    return bytes;
}

inline bool WriteSeedFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

// `write(folder, seed)` for every seed; each seed has a `name`. 0, 1 when a
// seed cannot be written, 2 without a folder.
template <typename Seed, size_t N, typename Write>
int WriteEverySeed(int argc, char** argv, const Seed (&seeds)[N], Write write) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[argc - 1];
    std::filesystem::create_directories(folder);
    for (const Seed& seed : seeds) {
        try {
            if (write(folder, seed))
                continue;
            fprintf(stderr, "cannot write seed %s\n", seed.name);
        } catch (const std::exception& e) {
            fprintf(stderr, "cannot write seed %s: %s\n", seed.name, e.what());
        }
        return 1;
    }
    return 0;
}

}  // namespace fuzzseed
