// GOPs whose counts exceed the record's room (30 frames per channel, 200 audio
// chunks, 204800 audio bytes, 30 telemetry records, 36 tyres) or whose fps is 0:
// the record keeps to its bounds. Written with recgen::GopBuilder.
#include <gtest/gtest.h>

#include "GopFixture.h"
#include "tools/recgen/AudioBlock.h"
#include "tools/recgen/GopBuilder.h"

namespace gop_test {
namespace {

using recgen::GopBuilder;
using recgen::GopFields;
using recgen::GopFrame;
using recgen::TelemetryBlock;
using telemetry::TenthsWord;

GopFields Fields(uint32_t version, uint32_t bitsCode = 0, uint32_t channelsCode = 0) {
    GopFields f;
    f.version = version;
    f.sampleBitsCode = bitsCode;
    f.audioChannelsCode = channelsCode;
    return f;
}

GopFrame Frame(uint32_t channel, uint32_t number, uint32_t fps = 25, size_t bytes = 4) {
    GopFrame f;
    f.channel = channel;
    f.frameNumber = number;
    f.fps = fps;
    f.data.assign(bytes, uint8_t(number));
    return f;
}

int Parse(const std::vector<uint8_t>& gop, Record& r, bool wantAudio = true) {
    return MakeParser().Parse(gop.data(), uint32_t(gop.size()), r.get(), wantAudio);
}

int32_t Sample(int channel, int index) {
    return channel * 7 + index;
}

TEST(Oversize, Fps31GivesAtMost30FramesPerChannel) {
    GopBuilder b(Fields(4));
    b.AddFrame(Frame(0, 1, 31));
    TelemetryBlock t;
    t.vehicle = std::vector<recgen::VehicleRecord>(31, {"ID", -1, 0x0F, 0x0F});
    t.speed = std::vector<uint16_t>(31, TenthsWord(9.5f));
    t.gps = std::vector<recgen::GpsRecord>(31, {"1", "2", "3"});
    t.gsensor = std::vector<recgen::GSensorRecord>(31, {1, 2, 3});
    t.tyres = recgen::TyreBlock{31, std::vector<recgen::TyreEntry>(4, {1, 0x04, 20, 90}), {1}};
    t.voltage = std::vector<uint16_t>(31, TenthsWord(12.5f));
    b.SetTelemetry(t);
    Record r;
    ASSERT_EQ(Parse(b.Build(), r), 4);
    EXPECT_EQ(r->framesPerChannel, 30);
    EXPECT_EQ(r->gopFps, 31);  // pacing keeps the header's rate
    EXPECT_EQ(r->fps[0], 31);
    EXPECT_EQ(r->temperatureCount, 30);
    EXPECT_EQ(r->alarmCount, 30);
    EXPECT_EQ(r->speedCount, 30);
    EXPECT_EQ(r->gpsCount, 30);
    EXPECT_EQ(r->gsensorCount, 30);
    EXPECT_EQ(r->tpmsCount, 30);
    EXPECT_EQ(r->voltageCount, 30);
    EXPECT_FLOAT_EQ(r->voltage[29], 12.5f);
    EXPECT_EQ(r->tractor, 1);
}

TEST(Oversize, Fps31SplitsPcmInto30Chunks) {
    GopBuilder b(Fields(3, 1));
    b.AddFrame(Frame(0, 1, 31));
    b.SetAudio(recgen::InterleavedPcm(1, 8, 3100, Sample));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(b.Build(), r), 3);
    EXPECT_EQ(r->framesPerChannel, 30);
    EXPECT_EQ(r->gopFps, 15);
    EXPECT_EQ(r->chunkLength[0], 103u);
    EXPECT_EQ(r->chunkOffset[29], 29u * 103);
    EXPECT_EQ(r->chunkLength[29], 3100u - 29 * 103);
    EXPECT_EQ(r->chunkOffset[30], kSentinel);
}

TEST(Oversize, Fps0EntersNoPcmChunk) {
    for (uint32_t version : {3u, 4u}) {
        GopBuilder b(Fields(version, 1));
        b.AddFrame(Frame(0, 1, 0));
        b.SetAudio(recgen::InterleavedPcm(1, 8, 1600, Sample));
        Record r;
        r.FillSentinels();
        ASSERT_EQ(Parse(b.Build(), r, version == 3), int(version));
        EXPECT_EQ(r->framesPerChannel, 0);
        EXPECT_EQ(r->gopFps, 0);
        EXPECT_EQ(r->audioLength, 1600);
        EXPECT_EQ(r->chunkOffset[0], kSentinel);
        if (version == 3) {
            EXPECT_EQ(r.audio[1599], uint8_t(Sample(0, 1599)));
        }
    }
}

TEST(Oversize, FrameNumbersOutsideTheTablesArePassedOver) {
    GopBuilder b(Fields(4));
    b.AddFrame(Frame(0, 0, 20));
    b.AddFrame(Frame(1, 31, 21));
    b.AddFrame(Frame(2, 255, 22));
    b.AddFrame(Frame(3, 30, 23));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(b.Build(), r), 4);
    for (int c = 0; c < 3; ++c)
        for (int f = 0; f < kMaxFramesPerChannel; ++f) {
            EXPECT_EQ(r->frameOffset[c][f], kSentinel);
            EXPECT_EQ(r->frameLength[c][f], kSentinel);
        }
    EXPECT_EQ(r->fps[0], 20);  // the channel's header fields still apply
    EXPECT_EQ(r->fps[1], 21);
    EXPECT_EQ(r->fps[2], 22);
    EXPECT_EQ(r->frameOffset[3][29], 3u * 44 + 40);
    EXPECT_EQ(r->fps[3], 23);
}

TEST(Oversize, AChannelWithMoreThan30FramesKeeps30) {
    GopBuilder b(Fields(4));
    for (uint32_t n = 1; n <= 32; ++n)
        b.AddFrame(Frame(2, n));
    b.AddFrame(Frame(4, 1));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(b.Build(), r), 4);
    for (uint32_t n = 1; n <= 30; ++n)
        EXPECT_EQ(r->frameOffset[2][n - 1], (n - 1) * 44 + 40);
    EXPECT_EQ(r->frameOffset[3][0], kSentinel);  // row 2 did not spill into row 3
    EXPECT_EQ(r->frameOffset[3][1], kSentinel);
    EXPECT_EQ(r->frameOffset[4][0], 32u * 44 + 40);
}

recgen::UlawTrack Chunks(int n, size_t size) {
    recgen::UlawTrack t;
    for (int i = 0; i < n; ++i)
        t.chunks.emplace_back(size, uint8_t(i));
    return t;
}

TEST(Oversize, AUlawTrackOfMoreThan200ChunksKeeps200) {
    recgen::UlawAudio audio;
    audio.tracks = {Chunks(230, 76)};
    GopBuilder b(Fields(4));
    b.AddFrame(Frame(0, 1));
    b.SetAudio(recgen::EncodeUlawAudio(audio));
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(b.Build(), r), 4);
    EXPECT_EQ(r->audioLength, 200 * 76);
    EXPECT_EQ(r->chunkOffset[199], 199u * 80);
    EXPECT_EQ(r->chunkLength[0], 80u);  // chunkOffset[200] would be chunkLength[0]
    EXPECT_EQ(r.audio[199 * 76], 199);
    EXPECT_EQ(r.audio[200 * 76], 0);
    EXPECT_TRUE(r.GuardIntact());
}

TEST(Oversize, AUlawTrackLongerThanTheBufferStopsAtItsEnd) {
    recgen::UlawAudio audio;
    audio.chunkHeaderSize = 0;
    audio.chunkSize = 65535;
    audio.tracks = {Chunks(5, 65535)};
    GopBuilder b(Fields(4));
    b.SetAudio(recgen::EncodeUlawAudio(audio));
    Record r;
    ASSERT_EQ(Parse(b.Build(), r), 4);
    EXPECT_EQ(r->audioLength, 3 * 65535);
    EXPECT_EQ(r.audio[3 * 65535 - 1], 2);
    EXPECT_TRUE(r.GuardIntact());
}

TEST(Oversize, PcmLongerThanTheBufferIsCut) {
    GopBuilder mono(Fields(1, 1));
    mono.SetAudio(recgen::InterleavedPcm(1, 8, 300000, Sample));
    Record r;
    ASSERT_EQ(Parse(mono.Build(), r), 1);
    EXPECT_EQ(r->audioLength, kAudioBufferSize);
    EXPECT_EQ(r.audio[kAudioBufferSize - 1], uint8_t(Sample(0, kAudioBufferSize - 1)));
    EXPECT_EQ(r->chunkOffset[15] + r->chunkLength[15], uint32_t(kAudioBufferSize));
    EXPECT_TRUE(r.GuardIntact());

    GopBuilder stereo(Fields(1, 0, 2));
    stereo.SetAudio(recgen::InterleavedPcm(2, 16, 125000, Sample));
    Record s;
    ASSERT_EQ(Parse(stereo.Build(), s), 1);
    EXPECT_EQ(s->audioLength, kAudioBufferSize);
    EXPECT_EQ(LoadU16(&s.audio[kAudioBufferSize - 2]), uint16_t(Sample(1, 102399)));
    EXPECT_EQ(s->chunkOffset[15] + s->chunkLength[15], uint32_t(kAudioBufferSize));
    EXPECT_TRUE(s.GuardIntact());
}

TEST(Oversize, MoreThan36TyresKeep36AndAreABadLayout) {
    TelemetryBlock t;
    recgen::TyreBlock tyres;
    tyres.recordCount = 2;
    for (int i = 0; i < 40; ++i)
        tyres.tyres.push_back({uint8_t(i + 1), 0, 0, 0});
    tyres.truck = {6, 14, 14, 0};
    t.tyres = tyres;
    t.voltage = {TenthsWord(1.0f)};
    GopBuilder b(Fields(4));
    b.AddFrame(Frame(0, 1));
    b.SetTelemetry(t);
    Record r;
    r->tractor = 3;
    ASSERT_EQ(Parse(b.Build(), r), 4);
    EXPECT_EQ(r->tyreCount, kMaxTyres);
    EXPECT_EQ(r->tpmsCount, 2);
    EXPECT_EQ(r->tpms[0][35].id, 36);
    EXPECT_EQ(r->tpms[1][0].id, 1);  // row 0 did not spill into row 1
    EXPECT_EQ(r->tpms[2][0].id, 0);
    EXPECT_EQ(r->tractor, 3);
    EXPECT_EQ(r->voltageCount, 0);
}

// Unlike the other sub-blocks, tyre records are not bounded by the frames per
// channel: all of them are stored while there are any frames, up to 30.
TEST(Oversize, TyreRecordsAreStoredUpToThirtyWhileThereAreFrames) {
    struct Case {
        uint32_t version;
        uint32_t fps;  // framesPerChannel of versions 3 and 4
        int stored;
    };
    for (const Case& c : {Case{1, 30, 30}, Case{4, 30, 30}, Case{4, 2, 30}, Case{4, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << ", fps " << c.fps);
        TelemetryBlock t;
        t.tyres = recgen::TyreBlock{40, std::vector<recgen::TyreEntry>(4, {5, 0, 0, 0}), {1}};
        t.voltage = {TenthsWord(1.0f)};
        GopBuilder b(Fields(c.version));
        b.AddFrame(Frame(0, 1, c.fps));
        b.SetTelemetry(t);
        Record r;
        ASSERT_EQ(Parse(b.Build(), r), int(c.version));
        EXPECT_EQ(r->tpmsCount, c.stored);
        EXPECT_EQ(r->voltageCount, c.fps == 0 ? 0 : 1);  // the walk goes on after all 40 records
        EXPECT_EQ(r->tractor, 1);
    }
}

}  // namespace
}  // namespace gop_test
