// A three-GOP recording of four channels (25 frames a GOP, two u-law tracks)
// exported to MOV files of channels 1 to 3: every box fits its parent, the
// sizes follow the layout, and the tables point at the frames and audio.
#include <gtest/gtest.h>

#include <filesystem>

#include "format/ulaw/UlawTable.h"
#include "tests/export/mov/MovDecode.h"
#include "tests/export/mov/MovFixture.h"
#include "tests/export/recording/RecordingGops.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

class MovStructure : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        recgen::RecordingPlan plan;
        plan.channels = 4;
        plan.fps = 25;
        plan.gopCount = 3;
        plan.audioTracks = 2;
        gops_ = new Gops(ReadAllGops(MakeRecording(plan, dir_->File("rec"))));
        ASSERT_EQ(gops_->size(), 3u);
        ExportMov(*gops_, {0, 1, 2}, *dir_);
    }
    static void TearDownTestSuite() {
        delete gops_;
        delete dir_;
    }

    static std::string Base(int channel) { return dir_->File("ch" + std::to_string(channel)); }

    static TempDir* dir_;
    static Gops* gops_;
};

TempDir* MovStructure::dir_ = nullptr;
Gops* MovStructure::gops_ = nullptr;

uint32_t SizeOf(const Box* box) {
    return box == nullptr ? 0 : box->size;
}

TEST_F(MovStructure, FileStartsWithItsHeadAndMdatReachesTheMoov) {
    const Movie movie = ReadMovie(Base(0));
    ASSERT_GE(movie.root.children.size(), 4u);
    const std::vector<Box>& top = movie.root.children;
    EXPECT_EQ(top[0].type, "ftyp");
    EXPECT_EQ(top[0].size, 20u);
    EXPECT_EQ(Be32(movie.bytes, 12), 0x20050300u);
    EXPECT_EQ(top[1].type, "wide");
    EXPECT_EQ(top[1].size, 8u);
    EXPECT_EQ(top[2].type, "mdat");
    EXPECT_EQ(top[2].offset, 28u);
    EXPECT_EQ(top[3].type, "moov");
    EXPECT_EQ(top[2].size, top[3].offset - 28);
    EXPECT_EQ(top[3].offset + top[3].size, movie.bytes.size());
}

TEST_F(MovStructure, AtomSizesFollowTheirTables) {
    const Movie movie = ReadMovie(Base(0));
    const Box* video = movie.Trak(0);
    const Box* audio = movie.Trak(1);
    ASSERT_NE(video, nullptr);
    ASSERT_NE(audio, nullptr);
    const Box* vstbl = video->Find("mdia/minf/stbl");
    ASSERT_NE(vstbl, nullptr);
    // The entry count follows the version word (and, in stsz, the sample size).
    const auto entries = [&](const std::string& type) {
        return Be32(movie.bytes, vstbl->Find(type)->offset + (type == "stsz" ? 16 : 12));
    };
    EXPECT_EQ(SizeOf(vstbl->Find("stts")), 8 * entries("stts") + 16);
    EXPECT_EQ(SizeOf(vstbl->Find("stss")), 4 * entries("stss") + 16);
    EXPECT_EQ(SizeOf(vstbl->Find("stsc")), 28u);
    EXPECT_EQ(SizeOf(vstbl->Find("stsz")), 4 * entries("stsz") + 20);
    EXPECT_EQ(SizeOf(vstbl->Find("stco")), 4 * entries("stco") + 16);
    const Box* avcC = vstbl->Find("stsd/avc1/avcC");
    ASSERT_NE(avcC, nullptr);
    const uint32_t sps = Be16(movie.bytes, avcC->offset + 14);
    const uint32_t pps = Be16(movie.bytes, avcC->offset + 17 + sps);
    EXPECT_EQ(avcC->size, sps + pps + 19);
    EXPECT_EQ(SizeOf(vstbl->Find("stsd")), avcC->size + 102);
    EXPECT_EQ(SizeOf(video->Find("mdia/minf")), vstbl->size + 64);
    EXPECT_EQ(SizeOf(video->Find("mdia")), SizeOf(video->Find("mdia/minf")) + 85);
    EXPECT_EQ(video->size, SizeOf(video->Find("mdia")) + 100);

    const Box* astbl = audio->Find("mdia/minf/stbl");
    ASSERT_NE(astbl, nullptr);
    EXPECT_EQ(SizeOf(astbl->Find("stsd")), 52u);
    EXPECT_EQ(SizeOf(astbl->Find("stsd/ulaw")), 36u);
    EXPECT_EQ(SizeOf(astbl->Find("stts")), 24u);
    EXPECT_EQ(SizeOf(astbl->Find("stsz")), 20u);
    EXPECT_EQ(SizeOf(astbl->Find("stsc")), 12u * 3 + 16);
    EXPECT_EQ(SizeOf(astbl->Find("stco")), 4u * 3 + 16);
    EXPECT_EQ(SizeOf(audio->Find("mdia/minf")), astbl->size + 60);
    EXPECT_EQ(audio->size, SizeOf(audio->Find("mdia")) + 100);
    EXPECT_EQ(movie.moov->size, video->size + audio->size + 116);
    EXPECT_EQ(SizeOf(movie.moov->Find("mvhd")), 108u);
    EXPECT_EQ(SizeOf(video->Find("tkhd")), 92u);
    EXPECT_EQ(SizeOf(video->Find("mdia/hdlr")), 45u);
    EXPECT_EQ(SizeOf(video->Find("mdia/minf/dinf")), 36u);
}

TEST_F(MovStructure, TimesFollowTheAudio) {
    const Movie movie = ReadMovie(Base(0));
    const size_t mvhd = movie.moov->Find("mvhd")->offset;
    EXPECT_EQ(Be32(movie.bytes, mvhd + 20), 2500u);  // 25 fps x 100
    EXPECT_EQ(Be32(movie.bytes, mvhd + 24), 7500u);
    const Box* video = movie.Trak(0);
    const std::vector<std::vector<uint32_t>> stts =
        TableEntries(movie.bytes, *video->Find("mdia/minf/stbl/stts"), 2);
    const std::vector<std::vector<uint32_t>> expected = {{1, 100},  {24, 100}, {1, 100},
                                                         {24, 100}, {1, 100},  {24, 100}};
    EXPECT_EQ(stts, expected);
    EXPECT_EQ(Be32(movie.bytes, video->Find("tkhd")->offset + 28), 7500u);

    const Box* audio = movie.Trak(1);
    const size_t mdhd = audio->Find("mdia/mdhd")->offset;
    EXPECT_EQ(Be32(movie.bytes, mdhd + 20), 8000u);
    EXPECT_EQ(Be32(movie.bytes, mdhd + 24), 24000u);
    // The track header counts in the movie's timescale.
    EXPECT_EQ(Be32(movie.bytes, audio->Find("tkhd")->offset + 28), 7500u);
    const std::vector<std::vector<uint32_t>> audioStts =
        TableEntries(movie.bytes, *audio->Find("mdia/minf/stbl/stts"), 2);
    EXPECT_EQ(audioStts, (std::vector<std::vector<uint32_t>>{{24000, 1}}));
    const size_t ulaw = audio->Find("mdia/minf/stbl/stsd/ulaw")->offset;
    EXPECT_EQ(Be16(movie.bytes, ulaw + 24), 1u);  // mono
    EXPECT_EQ(Be32(movie.bytes, ulaw + 32), 8000u << 16);
}

// The u-law description's sample size: the first GOP's sample width code
// (8 bits here) for a movie of the export's first GOP alone, 16 bits for a
// movie of two or more GOPs.
TEST(MovSampleDescription, SampleSizeIsTheFirstGopsCodeOnlyForAOneGopMovie) {
    const struct {
        int gops;
        uint32_t bits;
    } cases[] = {{1, 8}, {2, 16}, {3, 16}};
    for (const auto& c : cases) {
        TempDir dir;
        recgen::RecordingPlan plan;
        plan.channels = 4;
        plan.fps = 5;
        plan.gopCount = c.gops;
        plan.sampleBitsCode = 1;  // 8 bits
        const Gops gops = ReadAllGops(MakeRecording(plan, dir.File("rec")));
        ASSERT_EQ(int(gops.size()), c.gops);
        ExportMov(gops, {0}, dir);
        const Movie movie = ReadMovie(dir.File("ch0"));
        const size_t ulaw = movie.Trak(1)->Find("mdia/minf/stbl/stsd/ulaw")->offset;
        EXPECT_EQ(Be16(movie.bytes, ulaw + 26), c.bits) << c.gops << " GOPs";
    }
}

TEST_F(MovStructure, VideoSamplesAreTheFramesPictures) {
    for (int channel : {0, 2}) {
        SCOPED_TRACE(channel);
        const Movie movie = ReadMovie(Base(channel));
        const Box* stbl = movie.Trak(0)->Find("mdia/minf/stbl");
        const auto sizes = TableEntries(movie.bytes, *stbl->Find("stsz"), 1, 1);
        const auto offsets = TableEntries(movie.bytes, *stbl->Find("stco"), 1);
        const auto expected = ExpectedSamples(*gops_, channel);
        ASSERT_EQ(expected.size(), 75u);
        ASSERT_EQ(sizes.size(), expected.size());
        ASSERT_EQ(offsets.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(sizes[i][0], expected[i].size()) << "sample " << i;
            const auto at = movie.bytes.begin() + offsets[i][0];
            ASSERT_TRUE(std::equal(expected[i].begin(), expected[i].end(), at)) << "sample " << i;
        }
        const auto sync = TableEntries(movie.bytes, *stbl->Find("stss"), 1);
        EXPECT_EQ(sync, (std::vector<std::vector<uint32_t>>{{1}, {26}, {51}}));
        EXPECT_EQ(TableEntries(movie.bytes, *stbl->Find("stsc"), 3),
                  (std::vector<std::vector<uint32_t>>{{1, 1, 1}}));
    }
}

// Channel 1 takes track 0, channel 2 track 1, channel 3 (beyond the tracks) track 0.
TEST_F(MovStructure, AudioChunksAreTheChannelsTrack) {
    for (const auto& [channel, track] : {std::pair{0, 0}, {1, 1}, {2, 0}}) {
        SCOPED_TRACE(channel);
        const Movie movie = ReadMovie(Base(channel));
        const Box* stbl = movie.Trak(1)->Find("mdia/minf/stbl");
        const auto offsets = TableEntries(movie.bytes, *stbl->Find("stco"), 1);
        const auto chunks = TableEntries(movie.bytes, *stbl->Find("stsc"), 3);
        ASSERT_EQ(offsets.size(), 3u);
        EXPECT_EQ(chunks,
                  (std::vector<std::vector<uint32_t>>{{1, 8000, 1}, {2, 8000, 1}, {3, 8000, 1}}));
        EXPECT_EQ(Be32(movie.bytes, stbl->Find("stsz")->offset + 12), 1u);
        EXPECT_EQ(Be32(movie.bytes, stbl->Find("stsz")->offset + 16), 24000u);
        for (size_t gop = 0; gop < 3; ++gop) {
            for (int i = 0; i < 8000; i += 397) {
                const int64_t index = int64_t(gop) * 8000 + i;
                ASSERT_EQ(movie.bytes[offsets[gop][0] + size_t(i)],
                          UlawEncode(recgen::ToneSample(track, index, 8000)))
                    << "gop " << gop << " sample " << i;
            }
        }
    }
}

TEST_F(MovStructure, EveryFrameAndSampleDecodes) {
    const MovDecodeResult movie = DecodeMovie(Base(1) + ".mov");
    ASSERT_TRUE(movie.opened) << movie.error;
    EXPECT_EQ(movie.error, "");
    EXPECT_EQ(movie.videoStreams, 1);
    EXPECT_EQ(movie.audioStreams, 1);
    EXPECT_EQ(movie.videoPackets, 75);
    EXPECT_EQ(movie.videoFrames, 75);
    EXPECT_EQ(movie.width, 352);
    EXPECT_EQ(movie.height, 288);
    EXPECT_EQ(movie.sampleRate, 8000);
    ASSERT_EQ(movie.samples.size(), 24000u);
    // u-law keeps the tone within its quantisation step.
    for (size_t i = 0; i < movie.samples.size(); i += 101) {
        const int expected = recgen::ToneSample(1, int64_t(i), 8000);
        EXPECT_NEAR(movie.samples[i], expected, 300) << "sample " << i;
    }
}

TEST_F(MovStructure, WorkFilesAreGone) {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(Base(0)).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"ch0.mov", "ch0.ssa", "ch1.mov", "ch1.ssa",
                                               "ch2.mov", "ch2.ssa", "rec.dvr", "rec.inx"}));
}

}  // namespace
