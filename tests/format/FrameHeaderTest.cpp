#include "format/FrameHeader.h"

#include <gtest/gtest.h>

#include <array>

#include "shared/ByteOrder.h"

namespace {

FrameHeader Sample() {
    FrameHeader h;
    h.version = 4;
    h.frameNumber = 30;
    h.channel = 15;
    h.channelCountCode = 5;
    h.resolutionCode = 7;
    h.time = 1000000000;
    h.prevGopLength = 0xFFFFF;
    h.pal = true;
    h.frameLength = 0xABCDE;
    h.sampleBitsCode = 3;
    h.sampleRateCode = 7;
    h.audioChannelsCode = 5;
    h.logLength = 0xFFFF;
    h.frameType = 1;
    h.fps = 31;
    h.noSkip = true;
    h.gopLength = 0x12345678;
    h.audioLength = 204800;
    return h;
}

TEST(FrameHeader, WriteThenReadGivesEveryField) {
    std::array<uint8_t, kFrameHeaderSize> bytes{};
    const FrameHeader h = Sample();
    WriteFrameHeader(h, bytes.data());
    const FrameHeader r = ReadFrameHeader(bytes.data());
    EXPECT_EQ(r.magic, kFrameMagic);
    EXPECT_EQ(r.version, h.version);
    EXPECT_EQ(r.frameNumber, h.frameNumber);
    EXPECT_EQ(r.channel, h.channel);
    EXPECT_EQ(r.channelCountCode, h.channelCountCode);
    EXPECT_EQ(r.resolutionCode, h.resolutionCode);
    EXPECT_EQ(r.time, h.time);
    EXPECT_EQ(r.prevGopLength, h.prevGopLength);
    EXPECT_EQ(r.pal, h.pal);
    EXPECT_EQ(r.frameLength, h.frameLength);
    EXPECT_EQ(r.sampleBitsCode, h.sampleBitsCode);
    EXPECT_EQ(r.sampleRateCode, h.sampleRateCode);
    EXPECT_EQ(r.audioChannelsCode, h.audioChannelsCode);
    EXPECT_EQ(r.logLength, h.logLength);
    EXPECT_EQ(r.frameType, h.frameType);
    EXPECT_EQ(r.fps, h.fps);
    EXPECT_EQ(r.noSkip, h.noSkip);
    EXPECT_EQ(r.gopLength, h.gopLength);
    EXPECT_EQ(r.audioLength, h.audioLength);
}

TEST(FrameHeader, FieldsLandOnTheirBits) {
    std::array<uint8_t, kFrameHeaderSize> bytes{};
    WriteFrameHeader(Sample(), bytes.data());
    EXPECT_EQ(LoadU32(&bytes[0]), 511u);
    EXPECT_EQ(LoadU32(&bytes[4]), 0x1E000004u);
    EXPECT_EQ(LoadU32(&bytes[8]), 0x75Fu);
    EXPECT_EQ(LoadU32(&bytes[16]), 0x008FFFFFu);
    EXPECT_EQ(LoadU32(&bytes[20]), (5u << 28) | (7u << 25) | (3u << 22) | 0xABCDEu);
    EXPECT_EQ(LoadU32(&bytes[24]), 0xFFFF0000u);
    EXPECT_EQ(LoadU32(&bytes[28]), (1u << 16) | (31u << 2) | 1u);
}

TEST(FrameHeader, UnlistedBitsAreNotRead) {
    std::array<uint8_t, kFrameHeaderSize> bytes;
    bytes.fill(0xFF);
    const FrameHeader r = ReadFrameHeader(bytes.data());
    EXPECT_EQ(r.version, 0xFFFFFFu);
    EXPECT_EQ(r.channel, 15u);
    EXPECT_EQ(r.prevGopLength, 0xFFFFFu);
    EXPECT_EQ(r.frameLength, 0xFFFFFu);
    EXPECT_EQ(r.audioChannelsCode, 7u);
    EXPECT_EQ(r.fps, 31u);
}

TEST(FrameHeader, StartsGopNeedsMagicAndLength) {
    std::array<uint8_t, kSectorSize> sector{};
    EXPECT_FALSE(StartsGop(sector.data()));
    StoreU32(&sector[0], kFrameMagic);
    EXPECT_FALSE(StartsGop(sector.data()));
    StoreU32(&sector[32], 512);
    EXPECT_TRUE(StartsGop(sector.data()));
    StoreU32(&sector[0], 510);
    EXPECT_FALSE(StartsGop(sector.data()));
}

}  // namespace
