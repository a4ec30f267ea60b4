// The first header's fields, the version table, the code tables and the frame
// walk, on well-formed GOPs from recgen::GopBuilder.
#include <gtest/gtest.h>

#include "GopFixture.h"
#include "tools/recgen/GopBuilder.h"

namespace gop_test {
namespace {

using recgen::GopBuilder;
using recgen::GopFields;
using recgen::GopFrame;

GopFrame Frame(uint32_t channel, uint32_t number, size_t bytes, uint32_t fps = 25) {
    GopFrame f;
    f.channel = channel;
    f.frameNumber = number;
    f.fps = fps;
    f.data.assign(bytes, uint8_t(channel * 16 + number));
    return f;
}

std::vector<uint8_t> OneFrameGop(const GopFields& fields, uint32_t fps) {
    GopBuilder b(fields);
    b.AddFrame(Frame(0, 1, 10, fps));
    return b.Build();
}

int Parse(const std::vector<uint8_t>& gop, Record& r, bool wantAudio = true) {
    return MakeParser().Parse(gop.data(), uint32_t(gop.size()), r.get(), wantAudio);
}

TEST(Versions, FollowTheVersionTable) {
    const struct {
        uint32_t version, fps, countCode;
        int framesPerChannel, channels, gopFps;
    } cases[] = {
        {0, 20, 5, 16, 4, 20}, {1, 12, 5, 16, 4, 12},  {2, 25, 5, 15, 8, 15},
        {2, 10, 1, 15, 8, 15}, {3, 25, 3, 25, 8, 12},  {3, 25, 5, 25, 16, 12},
        {4, 25, 2, 25, 4, 25}, {4, 15, 4, 15, 12, 15}, {4, 10, 0, 10, 0, 10},
    };
    for (const auto& c : cases) {
        GopFields fields;
        fields.version = c.version;
        fields.channelCountCode = c.countCode;
        Record r;
        EXPECT_EQ(Parse(OneFrameGop(fields, c.fps), r), int(c.version));
        EXPECT_EQ(r->version, c.version);
        EXPECT_EQ(r->framesPerChannel, c.framesPerChannel) << "version " << c.version;
        EXPECT_EQ(r->channels, c.channels) << "version " << c.version;
        EXPECT_EQ(r->channelCount, c.channels);
        EXPECT_EQ(r->gopFps, c.gopFps) << "version " << c.version;
        EXPECT_EQ(r->recordIndex, 0u);
    }
}

TEST(Versions, AVersionAbove4IsRejectedAfterTheAudioFormatAndTime) {
    GopFields fields;
    fields.version = 5;
    fields.time = 1234;
    fields.sampleRateCode = 5;
    fields.sampleBitsCode = 2;
    Record r;
    r->framesPerChannel = 99;
    EXPECT_EQ(Parse(OneFrameGop(fields, 25), r), -1);
    EXPECT_EQ(r->time, 1234u);
    EXPECT_EQ(r->sampleRate, 44100);
    EXPECT_EQ(r->sampleBits, 32);
    EXPECT_EQ(r->framesPerChannel, 99);
}

TEST(Versions, ABadMagicFillsNothing) {
    GopFields fields;
    fields.time = 1234;
    auto gop = OneFrameGop(fields, 25);
    gop[0] = 0xFE;
    Record r;
    EXPECT_EQ(Parse(gop, r), -1);
    EXPECT_EQ(r->time, 0u);
    EXPECT_EQ(r->sampleRate, 0);
}

TEST(Versions, AGopLongerThanTheValidBytesIsRejected) {
    GopFields fields;
    fields.time = 99;
    const auto gop = OneFrameGop(fields, 25);
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), uint32_t(gop.size() - 1), r.get(), true), -1);
    EXPECT_EQ(r->time, 99u);
    EXPECT_EQ(MakeParser().Parse(gop.data(), uint32_t(gop.size()), r.get(), true), 4);
}

TEST(Codes, AudioFormatAndTimeComeFromTheFirstHeader) {
    const int rates[] = {22050, 8000, 16000, 22050, 32000, 44100, 4000, 11025};
    const int bits[] = {16, 8, 32, 16};
    const int channels[] = {1, 1, 2, 4, 8, 16, 1, 1};
    for (uint32_t code = 0; code < 8; ++code) {
        GopFields fields;
        fields.time = 1700000000 + code;
        fields.sampleRateCode = code;
        fields.sampleBitsCode = code % 4;
        fields.audioChannelsCode = code;
        Record r;
        ASSERT_EQ(Parse(OneFrameGop(fields, 25), r), 4);
        EXPECT_EQ(r->sampleRate, rates[code]);
        EXPECT_EQ(r->sampleBits, bits[code % 4]);
        EXPECT_EQ(r->audioChannels, channels[code]);
        EXPECT_EQ(r->time, 1700000000 + code);
    }
}

TEST(Codes, ResolutionCodesGiveThePictureSize) {
    const struct {
        uint32_t code;
        bool pal;
        int width, height;
    } cases[] = {{1, true, 1920, 1080}, {1, false, 1920, 1080}, {2, false, 1280, 720},
                 {3, true, 960, 576},   {3, false, 960, 480},   {4, true, 704, 576},
                 {4, false, 704, 480},  {5, true, 704, 288},    {5, false, 704, 240},
                 {6, true, 352, 288},   {6, false, 352, 240},   {7, false, 1280, 960}};
    for (const auto& c : cases) {
        GopBuilder b(GopFields{});
        GopFrame f = Frame(3, 1, 8);
        f.resolutionCode = c.code;
        f.pal = c.pal;
        b.AddFrame(f);
        Record r;
        ASSERT_EQ(Parse(b.Build(), r), 4);
        EXPECT_EQ(r->width[3], c.width) << c.code;
        EXPECT_EQ(r->height[3], c.height) << c.code;
        EXPECT_EQ(r->lastWidth, c.width);
        EXPECT_EQ(r->lastHeight, c.height);
    }
}

TEST(Codes, AResolutionCodeWithoutASizeLeavesTheSize) {
    for (uint32_t code : {0u, 8u, 15u}) {
        GopBuilder b(GopFields{});
        GopFrame f = Frame(2, 1, 8);
        f.resolutionCode = code;
        b.AddFrame(f);
        Record r;
        r->width[2] = 11;
        r->height[2] = 12;
        r->lastWidth = 13;
        r->lastHeight = 14;
        ASSERT_EQ(Parse(b.Build(), r), 4);
        EXPECT_EQ(r->width[2], 11);
        EXPECT_EQ(r->height[2], 12);
        EXPECT_EQ(r->lastWidth, 13);
        EXPECT_EQ(r->lastHeight, 14);
        EXPECT_EQ(r->frameOffset[2][0], 40u);
    }
}

TEST(FrameWalk, LocatesEveryFrameOfEveryChannelInAnyOrder) {
    GopBuilder b(GopFields{});
    b.AddFrame(Frame(0, 1, 100));
    b.AddFrame(Frame(5, 1, 7));
    b.AddFrame(Frame(0, 2, 30));
    b.AddFrame(Frame(15, 3, 1));
    b.AddFrame(Frame(5, 2, 0));
    const auto gop = b.Build();
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 4);
    EXPECT_EQ(r->frameOffset[0][0], 40u);
    EXPECT_EQ(r->frameLength[0][0], 100u);
    EXPECT_EQ(r->frameOffset[5][0], 180u);
    EXPECT_EQ(r->frameLength[5][0], 7u);
    EXPECT_EQ(r->frameOffset[0][1], 227u);
    EXPECT_EQ(r->frameLength[0][1], 30u);
    EXPECT_EQ(r->frameOffset[15][2], 297u);
    EXPECT_EQ(r->frameLength[15][2], 1u);
    EXPECT_EQ(r->frameOffset[5][1], 338u);
    EXPECT_EQ(r->frameLength[5][1], 0u);
    EXPECT_EQ(gop[r->frameOffset[15][2]], 15 * 16 + 3);
    EXPECT_EQ(r->frameOffset[1][0], kSentinel);
    EXPECT_EQ(r->frameOffset[15][0], kSentinel);
}

TEST(FrameWalk, TakesRateSizeAndNoSkipOfEachChannel) {
    GopBuilder b(GopFields{});
    GopFrame a = Frame(1, 1, 4, 12);
    a.noSkip = true;
    a.resolutionCode = 1;
    GopFrame c = Frame(2, 1, 4, 30);
    c.noSkip = false;
    c.resolutionCode = 2;
    b.AddFrame(a);
    b.AddFrame(c);
    Record r;
    r->noSkip[2] = 1;
    ASSERT_EQ(Parse(b.Build(), r), 4);
    EXPECT_EQ(r->fps[1], 12);
    EXPECT_EQ(r->fps[2], 30);
    EXPECT_EQ(r->noSkip[1], 1);
    EXPECT_EQ(r->noSkip[2], 0);
    EXPECT_EQ(r->width[1], 1920);
    EXPECT_EQ(r->width[2], 1280);
    EXPECT_EQ(r->lastWidth, 1280);  // of the last header walked
    EXPECT_EQ(r->lastHeight, 720);
    EXPECT_EQ(r->framesPerChannel, 12);  // the first header's fps
}

TEST(FrameWalk, AGopWithoutVideoHasNoWalk) {
    GopBuilder b(GopFields{});
    recgen::TelemetryBlock t;
    t.speed = std::vector<uint16_t>{telemetry::TenthsWord(3.5f)};
    b.SetTelemetry(t);
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(b.Build(), r), 4);
    EXPECT_EQ(r->frameOffset[0][0], kSentinel);
    EXPECT_EQ(r->fps[0], int32_t(kSentinel));
    EXPECT_EQ(r->speedCount, 1);
}

TEST(FrameWalk, AVersion0LogLengthDoesNotShortenTheWalk) {
    GopFields fields;
    fields.version = 0;
    GopBuilder b(fields);
    b.AddFrame(Frame(0, 1, 100));
    b.AddFrame(Frame(1, 1, 100));
    b.SetAudio(std::vector<uint8_t>(64, 0));
    auto gop = b.Build();
    StoreU16(&gop[26], 120);  // logLength 120, though version 0 has no telemetry
    Record r;
    r.FillSentinels();
    ASSERT_EQ(Parse(gop, r), 0);
    EXPECT_EQ(r->frameOffset[1][0], 180u);
    EXPECT_EQ(r->frameLength[1][0], 100u);
}

TEST(FrameWalk, ParsingTwiceGivesTheSameRecord) {
    GopBuilder b(GopFields{});
    b.AddFrame(Frame(0, 1, 10));
    b.AddFrame(Frame(1, 1, 10));
    const auto gop = b.Build();
    Record first, second;
    ASSERT_EQ(Parse(gop, first, false), 4);
    ASSERT_EQ(Parse(gop, second, false), 4);
    ASSERT_EQ(Parse(gop, second, false), 4);
    first->audioData = second->audioData = nullptr;
    EXPECT_EQ(std::memcmp(first.get(), second.get(), sizeof(GopInfo)), 0);
}

}  // namespace
}  // namespace gop_test
