#include "tools/recgen/AudioBlock.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"

namespace {

using namespace recgen;

TEST(InterleavedPcm, OneSamplePerChannelPerGroup) {
    const std::vector<uint8_t> out =
        InterleavedPcm(2, 16, 3, [](int c, int i) { return c == 0 ? 100 + i : -1 - i; });
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(LoadU16(out.data() + 0), 100);
    EXPECT_EQ(int16_t(LoadU16(out.data() + 2)), -1);
    EXPECT_EQ(LoadU16(out.data() + 8), 102);
    EXPECT_EQ(int16_t(LoadU16(out.data() + 10)), -3);
}

TEST(InterleavedPcm, WidthsAndRefusal) {
    EXPECT_EQ(InterleavedPcm(1, 8, 5, [](int, int i) { return i; }).size(), 5u);
    const std::vector<uint8_t> wide = InterleavedPcm(4, 32, 2, [](int c, int) { return -c; });
    ASSERT_EQ(wide.size(), 32u);
    EXPECT_EQ(LoadU32(wide.data() + 12), uint32_t(-3));
    EXPECT_THROW(InterleavedPcm(1, 12, 1, [](int, int) { return 0; }), std::invalid_argument);
}

UlawTrack Track(int chunks, uint8_t fill) {
    UlawTrack t;
    t.chunks.assign(std::size_t(chunks), std::vector<uint8_t>(76, fill));
    return t;
}

TEST(UlawAudio, TwoTracksBackToBack) {
    UlawAudio a;
    a.tracks = {Track(2, 0x11), Track(2, 0x22)};
    const std::vector<uint8_t> out = EncodeUlawAudio(a);
    using namespace ulaw_audio;
    const uint32_t dataOffset = LoadU32(out.data() + kTrackDataOffsetAt);
    EXPECT_EQ(dataOffset, 48u);
    EXPECT_EQ(LoadU16(out.data() + kTrackCountAt), 2);
    EXPECT_EQ(LoadU32(out.data() + kChunkSizesAt), (4u << 16) | 76u);
    const uint32_t length1 = LoadU32(out.data() + kTrackLengthsAt + 4);
    EXPECT_EQ(LoadU32(out.data() + kTrackLengthsAt), 160u);
    EXPECT_EQ(length1, 160u);
    ASSERT_EQ(out.size(), 48u + 320);
    // Track 1 where a reader looks for it: data offset + 1 x its length.
    const uint8_t* track1 = out.data() + dataOffset + length1;
    EXPECT_EQ(track1[4], 0x22);
    EXPECT_EQ(track1[80 + 4 + 75], 0x22);
    EXPECT_EQ(out[dataOffset + 4], 0x11);
    EXPECT_EQ(out[dataOffset + 80 + 3], 0);  // header of the second chunk
}

TEST(UlawAudio, ChosenSizesAndDamage) {
    UlawAudio a;
    a.chunkHeaderSize = 8;
    a.chunkSize = 40;
    a.tracks = {UlawTrack{}, UlawTrack{{{1, 2, 3}}}, UlawTrack{{{4}}}};
    a.declaredTrackCount = 3;
    const std::vector<uint8_t> out = EncodeUlawAudio(a);
    EXPECT_EQ(LoadU16(out.data() + ulaw_audio::kTrackCountAt), 3);
    EXPECT_EQ(LoadU32(out.data() + ulaw_audio::kChunkSizesAt), (8u << 16) | 40u);
    EXPECT_EQ(LoadU32(out.data() + 40), 0u);
    EXPECT_EQ(LoadU32(out.data() + 44), 48u);
    // Back to back: the empty track takes no room.
    EXPECT_EQ(out[52 + 8], 1);
    EXPECT_EQ(out[52 + 48 + 8], 4);
    EXPECT_EQ(out.size(), 52u + 48 + 48);
}

// A shorter track after a longer one begins where the longer one ends.
TEST(UlawAudio, TracksOfDifferentLengthsLieBackToBack) {
    UlawAudio a;
    a.tracks = {Track(2, 0x11), Track(1, 0x22)};
    const std::vector<uint8_t> out = EncodeUlawAudio(a);
    constexpr std::size_t kDataOffset = 48;
    ASSERT_EQ(out.size(), kDataOffset + 3 * 80);
    EXPECT_EQ(out[kDataOffset + 80 + 4 + 75], 0x11);
    EXPECT_EQ(out[kDataOffset + 160 + 4], 0x22);
    EXPECT_EQ(out[kDataOffset + 160 + 4 + 75], 0x22);
}

}  // namespace
