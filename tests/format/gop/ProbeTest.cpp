// Probe's rejections and ClearFrameSet.
#include <gtest/gtest.h>

#include <cstring>

#include "GopFixture.h"

namespace gop_test {
namespace {

FrameSet DirtyFrameSet() {
    FrameSet set;
    std::memset(&set, 0x7F, sizeof(set));
    return set;
}

void ExpectCleared(const FrameSet& set) {
    EXPECT_EQ(set.channels, 0);
    EXPECT_EQ(set.version, 0u);
    EXPECT_EQ(set.sampleRate, 0);
    EXPECT_EQ(set.sampleBits, 0);
    EXPECT_STREQ(set.carId, "");
}

TEST(ClearFrameSet, ZeroesTheFieldsAndEmptiesTheId) {
    FrameSet set = DirtyFrameSet();
    ClearFrameSet(&set);
    ExpectCleared(set);
    for (char c : set.carId)
        EXPECT_EQ(c, 0);
}

TEST(Probe, RejectsABadMagic) {
    RawGop gop(64);
    FrameHeader h = FirstHeader(4, 64);
    h.magic = 510;
    gop.Header(0, h);
    FrameSet set = DirtyFrameSet();
    EXPECT_EQ(MakeParser().Probe(gop.data(), gop.size(), &set), -1);
    ExpectCleared(set);
}

TEST(Probe, RejectsAGopLongerThanTheValidBytes) {
    RawGop gop(64);
    gop.Header(0, FirstHeader(4, 65));
    FrameSet set = DirtyFrameSet();
    EXPECT_EQ(MakeParser().Probe(gop.data(), 64, &set), -1);
    ExpectCleared(set);
    EXPECT_EQ(MakeParser().Probe(gop.data(), 66, &set), 0);  // only the count is checked
}

TEST(Probe, RejectsAVersionAbove4) {
    RawGop gop(64);
    gop.Header(0, FirstHeader(5, 64));
    FrameSet set = DirtyFrameSet();
    EXPECT_EQ(MakeParser().Probe(gop.data(), gop.size(), &set), -1);
    ExpectCleared(set);
}

// Mended: fewer than 40 valid bytes (or none) cannot hold a header.
TEST(Probe, RejectsFewerThan40ValidBytes) {
    RawGop gop(40);
    gop.Header(0, FirstHeader(4, 40));
    FrameSet set = DirtyFrameSet();
    EXPECT_EQ(MakeParser().Probe(gop.data(), 39, &set), -1);
    ExpectCleared(set);
    EXPECT_EQ(MakeParser().Probe(nullptr, 100, &set), -1);
    EXPECT_EQ(MakeParser().Probe(gop.data(), 40, &set), 0);
}

// Mended: a gopLength below 40 cannot hold its own first header.
TEST(Probe, RejectsAGopLengthBelowItsHeader) {
    RawGop gop(64);
    gop.Header(0, FirstHeader(4, 39));
    FrameSet set = DirtyFrameSet();
    EXPECT_EQ(MakeParser().Probe(gop.data(), gop.size(), &set), -1);
    gop.Header(0, FirstHeader(4, 0));
    EXPECT_EQ(MakeParser().Probe(gop.data(), gop.size(), &set), -1);
}

TEST(Probe, ReadsOnlyTheFirstHeader) {
    // gopLength claims 4096 bytes; only 4096 are "valid" but just the 40 of
    // the header are looked at (the rest is garbage that Parse would walk).
    RawGop gop(4096);
    std::memset(gop.bytes().data(), 0xFF, gop.size());
    FrameHeader h = FirstHeader(3, 4096);
    h.channelCountCode = 3;
    h.sampleRateCode = 2;
    h.sampleBitsCode = 1;
    gop.Header(0, h);
    FrameSet set = DirtyFrameSet();
    EXPECT_EQ(MakeParser().Probe(gop.data(), gop.size(), &set), 0);
    EXPECT_EQ(set.channels, 8);
    EXPECT_EQ(set.version, 3u);
    EXPECT_EQ(set.sampleRate, 16000);
    EXPECT_EQ(set.sampleBits, 8);
    EXPECT_STREQ(set.carId, "");
}

TEST(Probe, ChannelsFollowTheVersionTable) {
    const struct {
        uint32_t version;
        int channels;
    } cases[] = {{0, 4}, {1, 4}, {2, 8}, {3, 16}, {4, 16}};
    for (const auto& c : cases) {
        RawGop gop(64);
        FrameHeader h = FirstHeader(c.version, 64);
        h.channelCountCode = 5;  // 16 channels
        gop.Header(0, h);
        FrameSet set;
        ASSERT_EQ(MakeParser().Probe(gop.data(), gop.size(), &set), 0);
        EXPECT_EQ(set.channels, c.channels) << "version " << c.version;
        EXPECT_EQ(set.version, c.version);
    }
}

}  // namespace
}  // namespace gop_test
