// Movies above 4 GiB, without writing 4 GiB: the media data size turns the
// `wide` atom into a 64-bit `mdat` header, and chunk offsets whose low 32
// bits wrap go into `co64` tables.
#include <gtest/gtest.h>

#include "export/mov/MoovAtom.h"
#include "export/mov/MovHead.h"
#include "tests/export/mov/MovFixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes HeadWithMediaEnd(const TempDir& dir, uint64_t mediaEnd) {
    const std::string path = dir.File("head.mov");
    FILE* file = std::fopen(path.c_str(), "wb+");
    EXPECT_NE(file, nullptr);
    EXPECT_TRUE(WriteMovHead(file));
    EXPECT_TRUE(WriteMdatSize(file, mediaEnd));
    std::fclose(file);
    return ReadWholeFile(path);
}

TEST(MovLarge, MediaSizeUses64BitsOnlyAbove4GiB) {
    TempDir dir;
    const Bytes small = HeadWithMediaEnd(dir, 28 + 0xFFFFFFFFull);
    ASSERT_EQ(small.size(), 36u);
    EXPECT_EQ(Be32(small, 20), 8u);
    EXPECT_EQ(std::string(small.begin() + 24, small.begin() + 28), "wide");
    EXPECT_EQ(Be32(small, 28), 0xFFFFFFFFu);
    EXPECT_EQ(std::string(small.begin() + 32, small.begin() + 36), "mdat");

    const uint64_t end = 5ull << 30;
    const Bytes large = HeadWithMediaEnd(dir, end);
    ASSERT_EQ(large.size(), 36u);
    EXPECT_EQ(Be32(large, 20), 1u);
    EXPECT_EQ(std::string(large.begin() + 24, large.begin() + 28), "mdat");
    EXPECT_EQ((uint64_t(Be32(large, 28)) << 32) | Be32(large, 32), end - 20);
}

TEST(MovLarge, WrappedOffsetsGoIntoCo64Tables) {
    TempDir dir;
    MovTableSet tables;
    for (int t = 0; t < kMovTableCount; ++t)
        ASSERT_TRUE(tables[size_t(t)].Open(dir.File("m") + kMovTableSuffixes[size_t(t)]));
    const auto fill = [&](MovTable table, std::vector<uint32_t> entries) {
        for (uint32_t e : entries)
            ASSERT_TRUE(tables[table].Append(e));
    };
    fill(kVideoSttsCounts, {1, 2});
    fill(kVideoSttsDurations, {100, 100});
    fill(kVideoSyncSamples, {1});
    fill(kVideoSamplesPerChunk, {1});
    fill(kVideoSampleSizes, {10, 10, 10});
    fill(kVideoChunkOffsets, {0xFFFFFF00u, 0x00000100u, 0xFFFFFFF0u});
    fill(kAudioSttsCount, {16000});
    fill(kAudioSamplesPerChunk, {8000, 8000});
    fill(kAudioSampleCount, {16000});
    fill(kAudioChunkOffsets, {0xFFFFFFF0u, 0x00000010u});
    MoovFacts facts;
    facts.timescale = 300;
    facts.videoDuration = 300;
    facts.width = 352;
    facts.height = 288;
    facts.sampleRate = 8000;
    facts.sampleBits = 16;
    facts.audioSamples = 16000;
    facts.audioDuration = 600;
    facts.longOffsets = true;

    const std::string path = dir.File("moov");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    CBoxOutput out(file);
    EXPECT_TRUE(WriteMoov(out, facts, tables));
    std::fclose(file);
    const Bytes bytes = ReadWholeFile(path);
    Box root;
    std::string error;
    ASSERT_TRUE(ParseBoxTree(bytes, &root, &error)) << error;
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].size, MoovSize(facts, tables));
    const Box& moov = root.children[0];
    const Box* video = moov.Find("trak/mdia/minf/stbl/co64");
    const Box* audio = moov.Find("trak", 1)->Find("mdia/minf/stbl/co64");
    ASSERT_NE(video, nullptr);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(moov.Find("trak/mdia/minf/stbl/stco"), nullptr);
    EXPECT_EQ(
        TableEntries(bytes, *video, 2),
        (std::vector<std::vector<uint32_t>>{{0, 0xFFFFFF00u}, {1, 0x100u}, {1, 0xFFFFFFF0u}}));
    EXPECT_EQ(TableEntries(bytes, *audio, 2),
              (std::vector<std::vector<uint32_t>>{{0, 0xFFFFFFF0u}, {1, 0x10u}}));
    EXPECT_EQ(video->size, 8u * 3 + 16);
}

}  // namespace
