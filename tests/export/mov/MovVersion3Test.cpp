// Version 3 GOPs carry PCM: the movie's u-law track holds the channel the
// player plays (the second of two), at the GOP's own sample rate.
#include <gtest/gtest.h>

#include "export/mov/MovGopAudio.h"
#include "format/ulaw/UlawTable.h"
#include "tests/export/mov/MovDecode.h"
#include "tests/export/mov/MovFixture.h"
#include "tests/export/recording/RecordingGops.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/RecordingWriter.h"

namespace {

TEST(MovVersion3, PcmBecomesTheUlawTrack) {
    TempDir dir;
    recgen::RecordingPlan plan;
    plan.version = 3;
    plan.fps = 10;
    plan.gopCount = 2;
    plan.audio = recgen::AudioKind::kPcm;
    plan.audioChannelsCode = 2;  // stereo
    const Gops gops = ReadAllGops(MakeRecording(plan, dir.File("rec")));
    ASSERT_EQ(gops.size(), 2u);
    ExportMov(gops, {0}, dir);

    const Movie movie = ReadMovie(dir.File("ch0"));
    const Box* audio = movie.Trak(1);
    EXPECT_EQ(Be32(movie.bytes, audio->Find("mdia/mdhd")->offset + 20), 8000u);
    const auto offsets = TableEntries(movie.bytes, *audio->Find("mdia/minf/stbl/stco"), 1);
    ASSERT_EQ(offsets.size(), 2u);
    for (size_t gop = 0; gop < 2; ++gop) {
        for (int i = 0; i < 8000; i += 499) {
            const int64_t index = int64_t(gop) * 8000 + i;
            EXPECT_EQ(movie.bytes[offsets[gop][0] + size_t(i)],
                      UlawEncode(recgen::ToneSample(1, index, 8000)));
        }
    }
    const MovDecodeResult decoded = DecodeMovie(dir.File("ch0.mov"));
    EXPECT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.videoFrames, 20);
    EXPECT_EQ(decoded.samples.size(), 16000u);
}

}  // namespace
