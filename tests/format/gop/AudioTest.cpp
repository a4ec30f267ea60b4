// The audio block: PCM of versions 0 to 3 with its chunk table, and the u-law
// tracks of version 4, on well-formed GOPs from recgen::GopBuilder.
#include <gtest/gtest.h>

#include <thread>

#include "GopFixture.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"

namespace gop_test {
namespace {

using recgen::GopBuilder;
using recgen::GopFields;
using recgen::GopFrame;

struct AudioTrackReset {
    ~AudioTrackReset() { g_nAudioType = 0; }
};

GopFields Pcm(uint32_t version, uint32_t bitsCode, uint32_t channelsCode) {
    GopFields f;
    f.version = version;
    f.sampleBitsCode = bitsCode;
    f.audioChannelsCode = channelsCode;
    return f;
}

// A GOP with two frames, the audio block and a speed record.
std::vector<uint8_t> GopWithAudio(const GopFields& fields, std::vector<uint8_t> audio,
                                  uint32_t fps = 25) {
    GopBuilder b(fields);
    GopFrame f;
    f.fps = fps;
    f.data.assign(33, 0x11);
    b.AddFrame(f);
    f.channel = 1;
    b.AddFrame(f);
    b.SetAudio(std::move(audio));
    recgen::TelemetryBlock t;
    t.speed = std::vector<uint16_t>{telemetry::TenthsWord(60.5f)};
    b.SetTelemetry(t);
    return b.Build();
}

// The audio block starts after the two frames.
constexpr uint32_t kAudioAt = 2 * 40 + 2 * 33;

int Parse(const std::vector<uint8_t>& gop, Record& r, bool wantAudio = true) {
    return MakeParser().Parse(gop.data(), uint32_t(gop.size()), r.get(), wantAudio);
}

int32_t Sample(int channel, int index) {
    return channel * 1000 + index;
}

void ExpectChunks(const GopInfo& info, int count, uint32_t chunk, uint32_t last) {
    for (int k = 0; k < count; ++k) {
        EXPECT_EQ(info.chunkOffset[k], chunk * uint32_t(k)) << k;
        EXPECT_EQ(info.chunkLength[k], k + 1 == count ? last : chunk) << k;
    }
    EXPECT_EQ(info.chunkOffset[count], kSentinel);
}

TEST(PcmAudio, MonoIsCopiedWholeAndSplitByFrames) {
    const auto pcm = recgen::InterleavedPcm(1, 16, 1600, Sample);
    const auto gop = GopWithAudio(Pcm(1, 0, 0), pcm);
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 1);
    EXPECT_EQ(r->audioLength, 3200);
    EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), r.audio.begin()));
    ExpectChunks(*r.get(), 16, 200, 200);
    EXPECT_EQ(r->speedCount, 1);
}

TEST(PcmAudio, ChunksAreWholeSamplesAndTheLastTakesTheRest) {
    // 3248 bytes / 16 = 203, cut to whole 16-bit samples: 202; the last 218.
    const auto gop = GopWithAudio(Pcm(0, 0, 0), recgen::InterleavedPcm(1, 16, 1624, Sample));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 0);
    ExpectChunks(*r.get(), 16, 202, 218);
    // 8-bit: 3217 / 16 = 201; the last 202.
    const auto gop8 = GopWithAudio(Pcm(1, 1, 0), recgen::InterleavedPcm(1, 8, 3217, Sample));
    Record r8;
    r8.FillSentinels();
    ASSERT_EQ(Parse(gop8, r8), 1);
    ExpectChunks(*r8.get(), 16, 201, 202);
}

TEST(PcmAudio, StereoKeepsTheSecondChannel) {
    // 6400 bytes of 16-bit stereo, 16 frames per channel.
    const auto gop = GopWithAudio(Pcm(1, 0, 2), recgen::InterleavedPcm(2, 16, 1600, Sample));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 1);
    EXPECT_EQ(r->audioLength, 6400);
    for (int i = 0; i < 1600; ++i)
        ASSERT_EQ(LoadU16(&r.audio[size_t(2 * i)]), uint16_t(Sample(1, i))) << i;
    EXPECT_EQ(r.audio[3200], 0);
    ExpectChunks(*r.get(), 16, 200, 200);
}

TEST(PcmAudio, MoreChannelsKeepTheSecondChannelAndSplitWhatWasKept) {
    // Mended: the split covers the bytes kept (1600), not A / B (3200).
    const auto gop = GopWithAudio(Pcm(1, 0, 3), recgen::InterleavedPcm(4, 16, 800, Sample));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 1);
    EXPECT_EQ(r->audioLength, 6400);
    for (int i = 0; i < 800; ++i)
        ASSERT_EQ(LoadU16(&r.audio[size_t(2 * i)]), uint16_t(Sample(1, i))) << i;
    ExpectChunks(*r.get(), 16, 100, 100);
    // 8-bit stereo: 3200 bytes keep 1600.
    const auto gop8 = GopWithAudio(Pcm(1, 1, 2), recgen::InterleavedPcm(2, 8, 1600, Sample));
    Record r8;
    r8.FillSentinels();
    ASSERT_EQ(Parse(gop8, r8), 1);
    EXPECT_EQ(r8.audio[5], uint8_t(Sample(1, 5)));
    ExpectChunks(*r8.get(), 16, 100, 100);
    // 32-bit, 8 channels: 4 bytes kept per group of 32.
    const auto gop32 = GopWithAudio(Pcm(2, 2, 4), recgen::InterleavedPcm(8, 32, 150, Sample));
    Record r32;
    r32.FillSentinels();
    ASSERT_EQ(Parse(gop32, r32), 2);
    EXPECT_EQ(LoadU32(&r32.audio[4 * 149]), uint32_t(Sample(1, 149)));
    ExpectChunks(*r32.get(), 15, 40, 40);
}

TEST(PcmAudio, SplitFollowsFramesPerChannelOfTheVersion) {
    const auto pcm = recgen::InterleavedPcm(1, 8, 2500, Sample);
    Record v3;
    v3.FillSentinels();
    ASSERT_EQ(Parse(GopWithAudio(Pcm(3, 1, 0), pcm, 25), v3), 3);
    ExpectChunks(*v3.get(), 25, 100, 100);
    Record v2;
    v2.FillSentinels();
    ASSERT_EQ(Parse(GopWithAudio(Pcm(2, 1, 0), pcm, 25), v2), 2);
    ExpectChunks(*v2.get(), 15, 166, 2500 - 14 * 166);
}

TEST(PcmAudio, NotWantedIsNotCopied) {
    const auto gop = GopWithAudio(Pcm(1, 0, 0), recgen::InterleavedPcm(1, 16, 1600, Sample));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r, false), 1);
    EXPECT_EQ(r->audioLength, 3200);
    EXPECT_EQ(r.audio[2], 0);
    EXPECT_EQ(r->chunkOffset[1], kSentinel);
    EXPECT_EQ(r->speedCount, 1);
}

TEST(PcmAudio, AGopWithoutVideoReadsTheAudioRightAfterTheHeader) {
    GopBuilder b(Pcm(1, 1, 0));
    b.SetAudio(recgen::InterleavedPcm(1, 8, 160, Sample));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(b.Build(), r), 1);
    EXPECT_EQ(r->frameOffset[0][0], kSentinel);
    EXPECT_EQ(r.audio[0], uint8_t(Sample(0, 0)));
    EXPECT_EQ(r.audio[159], uint8_t(Sample(0, 159)));
    ExpectChunks(*r.get(), 16, 10, 10);
}

// Mended: PCM that happens to begin with 511 is audio, not a frame header.
TEST(PcmAudio, AudioBeginningWithTheMagicIsNotAFrame) {
    std::vector<uint8_t> audio(400, 0);
    StoreU32(audio.data(), kFrameMagic);
    audio[7] = 1;  // would read as frame 1 ...
    audio[8] = 9;  // ... of channel 9
    StoreU32(audio.data() + 20, 8);
    const auto gop = GopWithAudio(Pcm(1, 1, 0), audio);
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 1);
    EXPECT_EQ(r->frameOffset[9][0], kSentinel);
    EXPECT_EQ(r->fps[9], int32_t(kSentinel));
    EXPECT_EQ(LoadU32(r.audio.data()), kFrameMagic);
    EXPECT_EQ(r->audioLength, 400);
}

recgen::UlawTrack Track(int chunks, uint8_t base, size_t chunkSize = 76) {
    recgen::UlawTrack t;
    for (int i = 0; i < chunks; ++i)
        t.chunks.emplace_back(chunkSize, uint8_t(base + i));
    return t;
}

std::vector<uint8_t> UlawGop(const recgen::UlawAudio& audio) {
    return GopWithAudio(GopFields{}, recgen::EncodeUlawAudio(audio));
}

TEST(UlawAudio, TakesTheChosenTrack) {
    // Two tracks, track 1 of 160 bytes, chunk header 4, chunk 76.
    AudioTrackReset reset;
    recgen::UlawAudio audio;
    audio.tracks = {Track(2, 0x10), Track(2, 0x20)};
    const auto gop = UlawGop(audio);
    g_nAudioType = 1;
    Record r;
    r.FillSentinels();
    CGopParser parser = MakeParser();
    ASSERT_EQ(parser.Parse(gop.data(), uint32_t(gop.size()), r.get(), true), 4);
    EXPECT_EQ(parser.AudioTrack(), 1);
    EXPECT_EQ(r->audioLength, 152);
    EXPECT_EQ(r.audio[0], 0x20);
    EXPECT_EQ(r.audio[75], 0x20);
    EXPECT_EQ(r.audio[76], 0x21);
    EXPECT_EQ(r.audio[151], 0x21);
    EXPECT_EQ(r.audio[152], 0);
    EXPECT_EQ(r->chunkOffset[0], 0u);
    EXPECT_EQ(r->chunkOffset[1], 80u);
    EXPECT_EQ(r->chunkLength[0], 80u);
    EXPECT_EQ(r->chunkLength[1], 80u);
    EXPECT_EQ(r->chunkOffset[2], kSentinel);
    EXPECT_EQ(r->speedCount, 1);

    g_nAudioType = 0;  // takes effect at the next parse
    ASSERT_EQ(parser.Parse(gop.data(), uint32_t(gop.size()), r.get(), true), 4);
    EXPECT_EQ(parser.AudioTrack(), 0);
    EXPECT_EQ(r.audio[0], 0x10);
    EXPECT_EQ(r.audio[76], 0x11);
}

TEST(UlawAudio, TheChunkTableKeepsItsStrideOf80) {
    AudioTrackReset reset;
    recgen::UlawAudio audio;
    audio.chunkHeaderSize = 0;
    audio.chunkSize = 100;
    audio.tracks = {Track(3, 1, 100)};
    Record r;
    ASSERT_EQ(Parse(UlawGop(audio), r), 4);
    EXPECT_EQ(r->audioLength, 300);
    EXPECT_EQ(r.audio[250], 3);
    EXPECT_EQ(r->chunkOffset[2], 160u);
    EXPECT_EQ(r->chunkLength[2], 80u);
}

TEST(UlawAudio, AnAbsentOrEmptyTrackGivesNoAudio) {
    AudioTrackReset reset;
    recgen::UlawAudio one;
    one.tracks = {Track(2, 1)};
    g_nAudioType = 1;
    Record r;
    ASSERT_EQ(Parse(UlawGop(one), r), 4);
    EXPECT_EQ(r->audioLength, 0);

    recgen::UlawAudio emptySecond;
    emptySecond.tracks = {Track(2, 1), Track(0, 2)};
    Record r2;
    ASSERT_EQ(Parse(UlawGop(emptySecond), r2), 4);
    EXPECT_EQ(r2->audioLength, 0);

    g_nAudioType = 0;
    recgen::UlawAudio emptyFirst;
    emptyFirst.tracks = {Track(0, 1), Track(2, 2)};
    Record r3;
    ASSERT_EQ(Parse(UlawGop(emptyFirst), r3), 4);
    EXPECT_EQ(r3->audioLength, 0);
}

TEST(UlawAudio, ThreeTracksRejectTheGopWhenAudioIsWanted) {
    recgen::UlawAudio audio;
    audio.tracks = {Track(1, 1), Track(1, 2)};
    audio.declaredTrackCount = 3;
    const auto gop = UlawGop(audio);
    Record r;
    EXPECT_EQ(Parse(gop, r), -1);
    EXPECT_EQ(r->frameOffset[1][0], 40u + 33 + 40);  // the frame tables stay
    EXPECT_EQ(r->width[1], 352);
    EXPECT_EQ(r->speedCount, 0);  // no telemetry was read
    Record quiet;
    EXPECT_EQ(Parse(gop, quiet, false), 4);
    EXPECT_EQ(quiet->audioLength, int32_t(gop.size() - kAudioAt - 4 - 3 - 2));
    EXPECT_EQ(quiet->speedCount, 1);
}

TEST(UlawAudio, NotWantedIsNotCopied) {
    recgen::UlawAudio audio;
    audio.tracks = {Track(2, 9)};
    const auto block = recgen::EncodeUlawAudio(audio);
    Record r;
    ASSERT_EQ(Parse(GopWithAudio(GopFields{}, block), r, false), 4);
    EXPECT_EQ(r->audioLength, int32_t(block.size()));
    EXPECT_EQ(r.audio[0], 0);
}

TEST(Concurrency, TwoThreadsParseAtOnceWithOneParser) {
    AudioTrackReset reset;
    recgen::UlawAudio audio;
    audio.tracks = {Track(2, 0x10), Track(2, 0x20)};
    const auto ulaw = UlawGop(audio);
    const auto pcm = GopWithAudio(Pcm(1, 0, 2), recgen::InterleavedPcm(2, 16, 1600, Sample));
    CGopParser parser = MakeParser();
    auto run = [&parser](const std::vector<uint8_t>& gop, int expected, bool* ok) {
        Record r;
        *ok = true;
        for (int i = 0; i < 300; ++i) {
            if (parser.Parse(gop.data(), uint32_t(gop.size()), r.get(), i % 2 == 0) != expected)
                *ok = false;
            g_nAudioType = i % 2;
        }
    };
    bool ok1 = false, ok2 = false;
    std::thread a(run, std::cref(ulaw), 4, &ok1);
    std::thread b(run, std::cref(pcm), 1, &ok2);
    a.join();
    b.join();
    EXPECT_TRUE(ok1);
    EXPECT_TRUE(ok2);
}

}  // namespace
}  // namespace gop_test
