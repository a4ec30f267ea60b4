// GOPs made byte by byte: what a key frame's sample holds, and damaged GOPs,
// which must leave the movie as it was.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <tuple>

#include "shared/ByteOrder.h"
#include "tests/export/mov/MovDecode.h"
#include "tests/export/mov/MovFixture.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kSei = {0, 0, 0, 1, 0x06, 0x05, 0x01, 0x80};
const Bytes kSps = {0, 0, 0, 1, 0x67, 0x64, 0x00, 0x28, 0xAA};
const Bytes kPps = {0, 0, 0, 1, 0x68, 0xCE, 0x38, 0x80};
const Bytes kIdr = {0, 0, 0, 1, 0x65, 0x88, 0x84};
const Bytes kSlice = {0, 0, 0, 1, 0x41, 0x9A, 0x02};

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct GopShape {
    uint32_t version = 4;
    Bytes keyFrame = Join({kSei, kSps, kPps, kIdr});
    Bytes otherFrame = kSlice;
};

// Channel 1 of a 4-channel GOP: a key frame and one more frame, no audio.
Bytes MakeGop(const GopShape& shape) {
    recgen::GopBuilder builder({.version = shape.version, .channelCountCode = 2, .time = 1000});
    builder.AddFrame(
        {.channel = 0, .frameNumber = 1, .fps = 2, .frameType = 1, .data = shape.keyFrame});
    builder.AddFrame({.channel = 0, .frameNumber = 2, .fps = 2, .data = shape.otherFrame});
    return builder.Build();
}

// Offset of the second frame header.
size_t SecondHeader(const Bytes& gop) {
    return 40 + (LoadU32(gop.data() + 20) & 0xFFFFF);
}

TEST(MovGopCases, KeyFrameSampleHoldsOnlyItsPicture) {
    TempDir dir;
    ExportMov({MakeGop({})}, {0}, dir);
    const Movie movie = ReadMovie(dir.File("ch0"));
    const Box* stbl = movie.Trak(0)->Find("mdia/minf/stbl");
    const auto sizes = TableEntries(movie.bytes, *stbl->Find("stsz"), 1, 1);
    const auto offsets = TableEntries(movie.bytes, *stbl->Find("stco"), 1);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0][0], 7u);
    const Bytes idr(movie.bytes.begin() + offsets[0][0], movie.bytes.begin() + offsets[0][0] + 7);
    EXPECT_EQ(idr, (Bytes{0, 0, 0, 3, 0x65, 0x88, 0x84}));
    const Bytes slice(movie.bytes.begin() + offsets[1][0], movie.bytes.begin() + offsets[1][0] + 7);
    EXPECT_EQ(slice, (Bytes{0, 0, 0, 3, 0x41, 0x9A, 0x02}));
    EXPECT_EQ(TableEntries(movie.bytes, *stbl->Find("stss"), 1),
              (std::vector<std::vector<uint32_t>>{{1}}));
    // The profile and level come from the SPS.
    const Box* avcC = stbl->Find("stsd/avc1/avcC");
    ASSERT_NE(avcC, nullptr);
    const Bytes config(movie.bytes.begin() + avcC->offset + 8,
                       movie.bytes.begin() + avcC->offset + avcC->size);
    EXPECT_EQ(config, (Bytes{0x01, 0x64, 0x00, 0x28, 0xFF, 0xE1, 0,    5,    0x67, 0x64,
                             0x00, 0x28, 0xAA, 0x01, 0,    4,    0x68, 0xCE, 0x38, 0x80}));
    // Without audio the GOP lasts one second of silence: 200 ticks over 2 frames.
    EXPECT_EQ(TableEntries(movie.bytes, *stbl->Find("stts"), 2),
              (std::vector<std::vector<uint32_t>>{{1, 100}, {1, 100}}));
}

struct Damage {
    const char* name;
    std::function<Bytes()> gop;
    int cut = 0;  // bytes the GOP is handed in shorter than its length
};

void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.name;
}

class MovDamagedGop : public ::testing::TestWithParam<Damage> {};

TEST_P(MovDamagedGop, IsRefusedAndWritesNothing) {
    TempDir dir;
    CMovWriter writer;
    ASSERT_EQ(writer.StartMovFile(0, dir.File("ch0").c_str()), 0);
    const Bytes good = MakeGop({});
    ASSERT_EQ(writer.WriteMovGop(good.data(), int(good.size())), 0);
    const Bytes bad = GetParam().gop();
    EXPECT_EQ(writer.WriteMovGop(bad.data(), int(bad.size()) - GetParam().cut), -1);
    writer.FinishMovFile(0);

    const Movie movie = ReadMovie(dir.File("ch0"));
    const Box* video = movie.Trak(0)->Find("mdia/minf/stbl");
    const Box* audio = movie.Trak(1)->Find("mdia/minf/stbl");
    EXPECT_EQ(TableEntries(movie.bytes, *video->Find("stsz"), 1, 1).size(), 2u);
    EXPECT_EQ(TableEntries(movie.bytes, *audio->Find("stco"), 1).size(), 1u);
    EXPECT_EQ(movie.root.Find("mdat")->size, 8u + 7 + 7 + 8000);
    const std::string ssa = [&] {
        const Bytes b = ReadWholeFile(dir.File("ch0.ssa"));
        return std::string(b.begin(), b.end());
    }();
    EXPECT_EQ(ssa.find("*Time,5"), std::string::npos);
    EXPECT_NE(ssa.find("*Time,1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Gops, MovDamagedGop,
    ::testing::Values(Damage{"second_header_without_magic",
                             [] {
                                 Bytes g = MakeGop({});
                                 StoreU32(g.data() + SecondHeader(g), 0);
                                 return g;
                             }},
                      Damage{"frame_past_the_video_part",
                             [] {
                                 Bytes g = MakeGop({});
                                 StoreU32(g.data() + SecondHeader(g) + 20, 0x1000);
                                 return g;
                             }},
                      Damage{"version_2", [] { return MakeGop({.version = 2}); }},
                      Damage{"key_frame_without_pps",
                             [] {
                                 return MakeGop({.keyFrame = Join({kSps, kIdr})});
                             }},
                      Damage{"frame_without_start_code",
                             [] {
                                 return MakeGop({.otherFrame = {0x41, 0x9A}});
                             }},
                      Damage{"shorter_than_its_length", [] { return MakeGop({}); }, 1}),
    [](const auto& param) { return std::string(param.param.name); });

// Channels 1 and 2 of a 4-channel GOP, two frames each, channel 1's first;
// `second` gives channel 2's key frame and other frame.
Bytes MakeTwoChannelGop(const GopShape& second) {
    recgen::GopBuilder builder({.version = 4, .channelCountCode = 2, .time = 1000});
    const GopShape first;
    for (uint32_t c : {0u, 1u}) {
        const GopShape& shape = c == 0 ? first : second;
        builder.AddFrame(
            {.channel = c, .frameNumber = 1, .fps = 2, .frameType = 1, .data = shape.keyFrame});
        builder.AddFrame({.channel = c, .frameNumber = 2, .fps = 2, .data = shape.otherFrame});
    }
    return builder.Build();
}

// Offset of the last frame header of a GOP made by MakeTwoChannelGop.
size_t LastHeader(const Bytes& gop) {
    size_t at = 0;
    for (int i = 0; i < 3; ++i)
        at += 40 + (LoadU32(gop.data() + at + 20) & 0xFFFFF);
    return at;
}

struct ChannelDamage {
    const char* name;
    std::function<Bytes()> gop;
};

void PrintTo(const ChannelDamage& d, std::ostream* os) {
    *os << d.name;
}

class MovDamagedChannel : public ::testing::TestWithParam<ChannelDamage> {};

// Channel 2's frames of the second GOP are damaged: channel 1's movie takes
// every GOP whole, with or without a movie of channel 2 beside it, and
// channel 2's movie passes only that GOP by.
TEST_P(MovDamagedChannel, CostsOnlyThatChannelsGop) {
    const Bytes good = MakeTwoChannelGop({});
    const Bytes bad = GetParam().gop();
    for (const bool both : {false, true}) {
        TempDir dir;
        CMovWriter writer;
        ASSERT_EQ(writer.StartMovFile(0, dir.File("ch0").c_str()), 0);
        if (both) {
            ASSERT_EQ(writer.StartMovFile(1, dir.File("ch1").c_str()), 0);
        }
        EXPECT_EQ(writer.WriteMovGop(good.data(), int(good.size())), 0);
        EXPECT_EQ(writer.WriteMovGop(bad.data(), int(bad.size())), both ? -1 : 0);
        EXPECT_EQ(writer.WriteMovGop(good.data(), int(good.size())), 0);
        writer.FinishMovFile(0);
        writer.FinishMovFile(1);
        for (int channel = 0; channel < (both ? 2 : 1); ++channel) {
            const Movie movie = ReadMovie(dir.File("ch" + std::to_string(channel)));
            ASSERT_NE(movie.moov, nullptr);
            const Box* video = movie.Trak(0)->Find("mdia/minf/stbl");
            const Box* audio = movie.Trak(1)->Find("mdia/minf/stbl");
            const std::size_t gops = channel == 0 ? 3 : 2;
            EXPECT_EQ(TableEntries(movie.bytes, *video->Find("stsz"), 1, 1).size(), 2 * gops)
                << "channel " << channel + 1 << (both ? " beside channel 2" : "");
            EXPECT_EQ(TableEntries(movie.bytes, *audio->Find("stco"), 1).size(), gops);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gops, MovDamagedChannel,
    ::testing::Values(ChannelDamage{"frame_without_start_code",
                                    [] {
                                        return MakeTwoChannelGop({.otherFrame = {0x41, 0x9A}});
                                    }},
                      ChannelDamage{"key_frame_without_sps",
                                    [] {
                                        return MakeTwoChannelGop({.keyFrame = Join({kPps, kIdr})});
                                    }},
                      ChannelDamage{"last_header_without_magic",
                                    [] {
                                        Bytes g = MakeTwoChannelGop({});
                                        StoreU32(g.data() + LastHeader(g), 0);
                                        return g;
                                    }},
                      ChannelDamage{"last_frame_past_the_video_part",
                                    [] {
                                        Bytes g = MakeTwoChannelGop({});
                                        StoreU32(g.data() + LastHeader(g) + 20, 0x1000);
                                        return g;
                                    }}),
    [](const auto& param) { return std::string(param.param.name); });

// Track 0 holds 8400 bytes, track 1 half as many: channel 2 reads track 1
// from where track 0 ends, not from one track 1 length in.
TEST(MovGopCases, ChannelTwoTakesItsOwnTrackWhenTheTracksDifferInLength) {
    constexpr uint16_t kChunk = 80;
    recgen::UlawAudio audio{.chunkHeaderSize = 4, .chunkSize = kChunk};
    for (const auto& [chunks, value] : {std::pair{100, 0x11}, std::pair{50, 0x22}}) {
        recgen::UlawTrack track;
        track.chunks.assign(std::size_t(chunks), Bytes(kChunk, uint8_t(value)));
        audio.tracks.push_back(track);
    }
    const Bytes block = recgen::EncodeUlawAudio(audio);
    ASSERT_EQ(LoadU32(block.data() + 40), 8400u);
    ASSERT_EQ(LoadU32(block.data() + 44), 4200u);
    recgen::GopBuilder builder({.version = 4, .channelCountCode = 2, .time = 1000});
    for (uint32_t c : {0u, 1u})
        builder.AddFrame(
            {.channel = c, .fps = 1, .frameType = 1, .data = Join({kSps, kPps, kIdr})});
    builder.SetAudio(block);
    const Bytes gop = builder.Build();
    TempDir dir;
    ExportMov({gop}, {0, 1}, dir);
    for (const auto& [channel, samples, value] :
         {std::tuple{0, 8000u, 0x11}, std::tuple{1, 4000u, 0x22}}) {
        const Movie movie = ReadMovie(dir.File("ch" + std::to_string(channel)));
        const Box* stbl = movie.Trak(1)->Find("mdia/minf/stbl");
        const auto offsets = TableEntries(movie.bytes, *stbl->Find("stco"), 1);
        const auto perChunk = TableEntries(movie.bytes, *stbl->Find("stsc"), 3);
        ASSERT_EQ(offsets.size(), 1u);
        ASSERT_EQ(perChunk.size(), 1u);
        EXPECT_EQ(perChunk[0][1], samples) << "channel " << channel + 1;
        const auto chunk = movie.bytes.begin() + offsets[0][0];
        EXPECT_EQ(Bytes(chunk, chunk + samples), Bytes(samples, uint8_t(value)))
            << "channel " << channel + 1;
    }
}

TEST(MovSets, FailedStartIsPassedByAndLeavesNoFiles) {
    TempDir dir;
    CMovWriter writer;
    EXPECT_EQ(writer.StartMovFile(0, dir.File("missing/ch0").c_str()), -1);
    ASSERT_EQ(writer.StartMovFile(1, dir.File("ch1").c_str()), 0);
    recgen::GopBuilder builder({.version = 4, .channelCountCode = 2, .time = 1000});
    for (uint32_t c : {0u, 1u})
        builder.AddFrame(
            {.channel = c, .fps = 1, .frameType = 1, .data = Join({kSps, kPps, kIdr})});
    const Bytes gop = builder.Build();
    EXPECT_EQ(writer.WriteMovGop(gop.data(), int(gop.size())), 0);
    EXPECT_FALSE(writer.FinishMovFile(0).started);
    const MovFinished finished = writer.FinishMovFile(1);
    EXPECT_TRUE(finished.movie && finished.subtitles);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ch1.mov", "ch1.ssa"}));
}

TEST(MovSets, SetWithoutGopsLeavesNoFiles) {
    TempDir dir;
    {
        CMovWriter writer;
        ASSERT_EQ(writer.StartMovFile(3, dir.File("ch3").c_str()), 0);
        EXPECT_TRUE(std::filesystem::exists(dir.File("ch3.vstco")));
        const MovFinished finished = writer.FinishMovFile(3);
        EXPECT_TRUE(finished.started);
        EXPECT_FALSE(finished.movie);
        EXPECT_FALSE(writer.FinishMovFile(3).started) << "the set is gone";
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
}

// A file size limit stands in for a full disk: the write that fails breaks
// the set, and finishing it leaves no files.
TEST(MovSets, SetWhoseWritesFailLeavesNoFiles) {
    TempDir dir;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 200 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    CMovWriter writer;
    int result = 0;
    if (writer.StartMovFile(0, dir.File("ch0").c_str()) == 0) {
        const Bytes gop = MakeGop({.keyFrame = Join({kSps, kPps, kIdr, Bytes(60000, 0x11)})});
        for (int i = 0; i < 8 && result == 0; ++i)
            result = writer.WriteMovGop(gop.data(), int(gop.size()));
        writer.FinishMovFile(0);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
}

// Subtitles on a full disk (/dev/full behind the .ssa name): the movie keeps
// every GOP, and finishing says that its subtitles failed.
TEST(MovSets, FailedSubtitlesKeepTheirMovie) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.File("ch0.ssa"));
    CMovWriter writer;
    ASSERT_EQ(writer.StartMovFile(0, dir.File("ch0").c_str()), 0);
    const Bytes gop = MakeGop({});
    constexpr int kGops = 40;  // more subtitle text than the stream holds back
    for (int i = 0; i < kGops; ++i)
        EXPECT_EQ(writer.WriteMovGop(gop.data(), int(gop.size())), 0) << "GOP " << i;
    const MovFinished finished = writer.FinishMovFile(0);
    EXPECT_TRUE(finished.movie);
    EXPECT_FALSE(finished.subtitles);
    const Movie movie = ReadMovie(dir.File("ch0"));
    ASSERT_NE(movie.moov, nullptr);
    const Box* stsz = movie.Trak(0)->Find("mdia/minf/stbl/stsz");
    ASSERT_NE(stsz, nullptr);
    EXPECT_EQ(TableEntries(movie.bytes, *stsz, 1, 1).size(), std::size_t(kGops * 2));
}

// A file of the set's names that cannot be opened for writing is not the
// set's to remove.
TEST(MovSets, FailedStartLeavesOthersFilesAlone) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("ch0.ssa"));
    std::filesystem::create_directory(dir.File("ch1.mov"));
    CMovWriter writer;
    EXPECT_EQ(writer.StartMovFile(0, dir.File("ch0").c_str()), -1);
    EXPECT_EQ(writer.StartMovFile(1, dir.File("ch1").c_str()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("ch0.ssa")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("ch0.mov")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("ch1.mov")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("ch1.ssa")));
}

}  // namespace
