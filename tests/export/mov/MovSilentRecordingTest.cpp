// A four-channel recording without audio but with telemetry, exported to MOV
// files of channels 1 and 2: one second of u-law silence per GOP, and the
// subtitle events numbered over all four channels. The second GOP's `log_hd`
// has other upper bytes than the recorder's usual ones: its Log events still
// carry their texts.
#include <gtest/gtest.h>

#include "export/ssa/SsaEventText.h"
#include "tests/export/mov/MovDecode.h"
#include "tests/export/mov/MovFixture.h"
#include "tests/export/recording/RecordingGops.h"

namespace {

class MovSilentRecording : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        recgen::RecordingPlan plan;
        plan.channels = 4;
        plan.fps = 5;
        plan.gopCount = 2;
        plan.audio = recgen::AudioKind::kNone;
        plan.damage.invalidLogGops = {1};
        gops_ = new Gops(ReadAllGops(MakeRecording(plan, dir_->File("rec"))));
        ASSERT_EQ(gops_->size(), 2u);
        const Gops before = *gops_;
        ExportMov(*gops_, {0, 1}, *dir_, {.dateTime = true, .vehicleId = true});
        gopsUnchanged_ = before == *gops_;
    }
    static void TearDownTestSuite() {
        delete gops_;
        delete dir_;
    }

    static std::string Base(int channel) { return dir_->File("ch" + std::to_string(channel)); }
    static std::string Subtitles(int channel) {
        const std::vector<uint8_t> bytes = ReadWholeFile(Base(channel) + ".ssa");
        return std::string(bytes.begin(), bytes.end());
    }

    static TempDir* dir_;
    static Gops* gops_;
    static bool gopsUnchanged_;
};

TempDir* MovSilentRecording::dir_ = nullptr;
Gops* MovSilentRecording::gops_ = nullptr;
bool MovSilentRecording::gopsUnchanged_ = false;

TEST_F(MovSilentRecording, GopBuffersAreLeftAsTheyWere) {
    EXPECT_TRUE(gopsUnchanged_);
}

TEST_F(MovSilentRecording, EachGopGetsOneSecondOfSilence) {
    const Movie movie = ReadMovie(Base(0));
    const Box* stbl = movie.Trak(1)->Find("mdia/minf/stbl");
    const auto offsets = TableEntries(movie.bytes, *stbl->Find("stco"), 1);
    ASSERT_EQ(offsets.size(), 2u);
    EXPECT_EQ(TableEntries(movie.bytes, *stbl->Find("stsc"), 3),
              (std::vector<std::vector<uint32_t>>{{1, 8000, 1}, {2, 8000, 1}}));
    for (const auto& offset : offsets) {
        const auto chunk = movie.bytes.begin() + offset[0];
        EXPECT_TRUE(std::all_of(chunk, chunk + 8000, [](uint8_t b) { return b == 0xFF; }));
    }
}

TEST_F(MovSilentRecording, SilenceDecodesToZero) {
    const MovDecodeResult movie = DecodeMovie(Base(1) + ".mov");
    ASSERT_TRUE(movie.opened) << movie.error;
    EXPECT_EQ(movie.error, "");
    EXPECT_EQ(movie.videoFrames, 10);
    ASSERT_EQ(movie.samples.size(), 16000u);
    EXPECT_TRUE(
        std::all_of(movie.samples.begin(), movie.samples.end(), [](int16_t s) { return s == 0; }));
}

TEST_F(MovSilentRecording, SubtitleEventsAreNumberedOverAllChannels) {
    // 2023-11-14 22:13:20 is the recording's first second.
    const std::string expected0 =
        SsaHeader(352, 288) +
        "Dialogue: Marked=0,0:00:00.00,0:00:01.00,*Time,1,0000,0000,0000,,Nov 14 22:13:20 2023\n"
        "Dialogue: Marked=0,0:00:00.00,0:00:01.00,*Log,5,0000,0000,0000,,GEN-0001\n"
        "Dialogue: Marked=0,0:00:01.00,0:00:02.00,*Time,9,0000,0000,0000,,Nov 14 22:13:21 2023\n"
        "Dialogue: Marked=0,0:00:01.00,0:00:02.00,*Log,13,0000,0000,0000,,GEN-0001\n";
    EXPECT_EQ(Subtitles(0), expected0);
    const std::string expected1 =
        SsaHeader(352, 288) +
        "Dialogue: Marked=0,0:00:00.00,0:00:01.00,*Time,2,0000,0000,0000,,Nov 14 22:13:20 2023\n"
        "Dialogue: Marked=0,0:00:00.00,0:00:01.00,*Log,6,0000,0000,0000,,GEN-0001\n"
        "Dialogue: Marked=0,0:00:01.00,0:00:02.00,*Time,10,0000,0000,0000,,Nov 14 22:13:21 2023\n"
        "Dialogue: Marked=0,0:00:01.00,0:00:02.00,*Log,14,0000,0000,0000,,GEN-0001\n";
    EXPECT_EQ(Subtitles(1), expected1);
}

}  // namespace
