// Writes the seed inputs of the file pair fuzzer into the folder given as the
// last argument: small recgen pairs of each GOP version, with filler, gaps
// and damage, each packed as one FilePairInput.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/file_pair/FilePairInput.h"
#include "tests/fuzz/reader_walks/SeedFiles.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

namespace {

using namespace recgen;

std::vector<uint8_t> Gop(uint32_t version, uint32_t time, size_t frameBytes) {
    GopBuilder builder({.version = version, .time = time});
    GopFrame frame;
    frame.data.assign(frameBytes, 0xA5);
    builder.AddFrame(std::move(frame));
    return builder.Build();
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Seed {
    const char* name;
    uint32_t version;
    int gops;
    uint64_t leadingGap;
    int badMagicGop;  // -1: none
    FinishOptions finish;
};

bool WriteSeed(const std::filesystem::path& folder, const Seed& seed) {
    const auto dvr = folder / "seed.dvr", inx = folder / "seed.inx";
    auto writer = PairWriter::Create(dvr.string(), inx.string());
    if (writer == nullptr)
        return false;
    writer->AddGap(seed.leadingGap);
    for (int i = 0; i < seed.gops; ++i) {
        const GopDamage damage{.badMagic = i == seed.badMagicGop};
        if (!writer->AddGop(Gop(seed.version, 100 + uint32_t(i), 300 + 250 * size_t(i)), damage))
            return false;
    }
    if (!writer->Finish(seed.finish))
        return false;
    const std::vector<uint8_t> packed = PackFilePairInput(ReadAll(inx), ReadAll(dvr));
    std::filesystem::remove(dvr);
    std::filesystem::remove(inx);
    return fuzzseed::WriteSeedFile(folder / seed.name, packed);
}

}  // namespace

int main(int argc, char** argv) {
    const Seed seeds[] = {
        {"v4-plain", 4, 4, 0, -1, {}},
        {"v3-filler", 3, 3, 1024, -1, {}},
        {"v0-bad-magic", 0, 4, 0, 1, {}},
        {"v4-cut", 4, 3, 0, -1, {.cutBytes = 700}},
        {"v2-odd-index", 2, 3, 0, -1, {.indexFirst = 2, .indexLast = 3}},
    };
    return fuzzseed::WriteEverySeed(argc, argv, seeds, WriteSeed);
}
