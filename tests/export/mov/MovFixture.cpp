#include "tests/export/mov/MovFixture.h"

#include "format/FrameHeader.h"
#include "tools/recgen/AnnexB.h"

std::vector<std::vector<uint32_t>> TableEntries(const std::vector<uint8_t>& file, const Box& box,
                                                int perEntry, int skip) {
    const size_t countAt = box.offset + 12 + 4 * size_t(skip);
    const uint32_t count = Be32(file, countAt);
    std::vector<std::vector<uint32_t>> entries;
    for (uint32_t i = 0; i < count; ++i) {
        std::vector<uint32_t> entry;
        for (int w = 0; w < perEntry; ++w)
            entry.push_back(
                Be32(file, countAt + 4 + 4 * (size_t(i) * size_t(perEntry) + size_t(w))));
        entries.push_back(entry);
    }
    return entries;
}

std::vector<std::vector<uint8_t>> ExpectedSamples(const Gops& gops, int channel) {
    std::vector<std::vector<uint8_t>> samples;
    for (const std::vector<uint8_t>& gop : gops) {
        const FrameHeader first = ReadFrameHeader(gop.data());
        const size_t videoEnd = first.gopLength - first.audioLength - first.logLength;
        for (size_t at = 0; at < videoEnd;) {
            const FrameHeader h = ReadFrameHeader(gop.data() + at);
            const std::span<const uint8_t> data(gop.data() + at + 40, h.frameLength);
            at += 40 + h.frameLength;
            if (int(h.channel) != channel)
                continue;
            std::vector<uint8_t> sample;
            for (std::span<const uint8_t> unit : recgen::SplitNalUnits(data)) {
                const int type = recgen::NalType(unit);
                if (type == 6 || type == 7 || type == 8)
                    continue;
                for (int shift = 24; shift >= 0; shift -= 8)
                    sample.push_back(uint8_t(unit.size() >> shift));
                sample.insert(sample.end(), unit.begin(), unit.end());
            }
            samples.push_back(sample);
        }
    }
    return samples;
}

Movie ReadMovie(const std::string& base) {
    Movie movie;
    movie.bytes = ReadWholeFile(base + ".mov");
    std::string error;
    EXPECT_TRUE(ParseBoxTree(movie.bytes, &movie.root, &error)) << error;
    movie.moov = movie.root.Find("moov");
    static const Box kNone;
    if (movie.moov == nullptr) {
        ADD_FAILURE() << base << ".mov has no moov";
        movie.moov = &kNone;
    }
    return movie;
}

void ExportMov(const Gops& gops, const std::vector<int>& channels, const TempDir& dir,
               const SubtitleOptions& options) {
    CMovWriter writer;
    writer.BeginExport(options);
    for (int k : channels)
        ASSERT_EQ(writer.StartMovFile(k, dir.File("ch" + std::to_string(k)).c_str()), 0);
    for (const std::vector<uint8_t>& gop : gops)
        EXPECT_EQ(writer.WriteMovGop(gop.data(), int(gop.size())), 0);
    for (int k : channels)
        writer.FinishMovFile(k);
}
