#include "tools/recgen/GopBuilder.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "format/FrameHeader.h"
#include "shared/ByteOrder.h"

namespace {

using recgen::GopBuilder;
using recgen::GopFields;
using recgen::GopFrame;

GopFrame Frame(uint32_t channel, uint32_t number, std::size_t size, uint8_t fill) {
    GopFrame f;
    f.channel = channel;
    f.frameNumber = number;
    f.data.assign(size, fill);
    return f;
}

TEST(GopBuilder, FramesFollowEachOtherInTheOrderAdded) {
    GopBuilder b({.version = 3, .channelCountCode = 3, .time = 1700000000});
    b.AddFrame(Frame(2, 1, 100, 0xA2));
    b.AddFrame(Frame(0, 1, 7, 0xA0));
    b.AddFrame(Frame(2, 2, 33, 0xB2));
    const std::vector<uint8_t> gop = b.Build();
    ASSERT_EQ(gop.size(), 3u * kFrameHeaderSize + 140);

    const std::size_t offsets[] = {0, 140, 187};
    const uint32_t channels[] = {2, 0, 2}, numbers[] = {1, 1, 2}, lengths[] = {100, 7, 33};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const FrameHeader h = ReadFrameHeader(gop.data() + offsets[i]);
        EXPECT_EQ(h.magic, kFrameMagic);
        EXPECT_EQ(h.channel, channels[i]);
        EXPECT_EQ(h.frameNumber, numbers[i]);
        EXPECT_EQ(h.frameLength, lengths[i]);
        EXPECT_EQ(h.version, 3u);
        EXPECT_EQ(h.time, 1700000000u);
        EXPECT_EQ(gop[offsets[i] + kFrameHeaderSize], i == 0 ? 0xA2 : i == 1 ? 0xA0 : 0xB2);
        // Only the first header may look like the start of a GOP.
        EXPECT_EQ(StartsGop(gop.data() + offsets[i]), i == 0);
    }
}

TEST(GopBuilder, FirstHeaderCountsAudioAndTelemetry) {
    GopBuilder b({.version = 4,
                  .channelCountCode = 5,
                  .time = 42,
                  .sampleBitsCode = 1,
                  .sampleRateCode = 5,
                  .audioChannelsCode = 2,
                  .prevGopLength = 77});
    GopFrame f = Frame(15, 3, 10, 1);
    f.resolutionCode = 1;
    f.pal = false;
    f.fps = 30;
    f.noSkip = false;
    f.frameType = 1;
    b.AddFrame(f);
    b.SetAudio(std::vector<uint8_t>(300, 0x55));
    b.SetRawTelemetry({1, 2, 3, 4, 5});
    const std::vector<uint8_t> gop = b.Build();

    const FrameHeader h = ReadFrameHeader(gop.data());
    EXPECT_EQ(h.gopLength, 40u + 10 + 300 + 5);
    EXPECT_EQ(gop.size(), h.gopLength);
    EXPECT_EQ(h.audioLength, 300u);
    EXPECT_EQ(h.logLength, 5u);
    EXPECT_EQ(h.prevGopLength, 77u);
    EXPECT_EQ(h.channelCountCode, 5u);
    EXPECT_EQ(h.sampleBitsCode, 1u);
    EXPECT_EQ(h.sampleRateCode, 5u);
    EXPECT_EQ(h.audioChannelsCode, 2u);
    EXPECT_EQ(h.channel, 15u);
    EXPECT_EQ(h.frameNumber, 3u);
    EXPECT_EQ(h.resolutionCode, 1u);
    EXPECT_FALSE(h.pal);
    EXPECT_EQ(h.fps, 30u);
    EXPECT_FALSE(h.noSkip);
    EXPECT_EQ(h.frameType, 1u);
    EXPECT_EQ(gop[50], 0x55);
    EXPECT_EQ(gop[349], 0x55);
    EXPECT_EQ(gop[350], 1);
    EXPECT_EQ(gop[354], 5);
}

TEST(GopBuilder, GopWithoutVideoIsOneHeaderThenAudio) {
    GopBuilder b({});
    b.SetAudio(std::vector<uint8_t>(64, 9));
    b.SetRawTelemetry(std::vector<uint8_t>(8, 7));
    const std::vector<uint8_t> gop = b.Build();
    const FrameHeader h = ReadFrameHeader(gop.data());
    ASSERT_EQ(gop.size(), 40u + 64 + 8);
    EXPECT_EQ(h.gopLength - kFrameHeaderSize - h.logLength, h.audioLength);
    EXPECT_EQ(h.frameLength, 0u);
    EXPECT_EQ(gop[40], 9);
    EXPECT_EQ(gop[104], 7);
}

TEST(GopBuilder, RefusesLengthsTheHeaderCannotHold) {
    GopBuilder frames({});
    frames.AddFrame(Frame(0, 1, 0x100000, 0));
    EXPECT_THROW(frames.Build(), std::length_error);
    GopBuilder log({});
    log.SetRawTelemetry(std::vector<uint8_t>(0x10000, 0));
    EXPECT_THROW(log.Build(), std::length_error);
}

}  // namespace
