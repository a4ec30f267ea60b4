#include <gtest/gtest.h>

#include <vector>

#include "format/ulaw/UlawTable.h"

namespace {

struct UlawCase {
    uint8_t u;
    int16_t linear;
};

class UlawDecodeValue : public testing::TestWithParam<UlawCase> {};

TEST_P(UlawDecodeValue, ExpandsToThe14BitRange) {
    EXPECT_EQ(UlawDecode(GetParam().u), GetParam().linear);
}

INSTANTIATE_TEST_SUITE_P(Edges, UlawDecodeValue,
                         testing::Values(UlawCase{0xFF, 0}, UlawCase{0x7F, 0},
                                         UlawCase{0x00, -8031}, UlawCase{0x80, 8031},
                                         UlawCase{0xFE, 2}, UlawCase{0x7E, -2}, UlawCase{0xEF, 33},
                                         UlawCase{0x8F, 4191}));

TEST(UlawTable, HoldsTheExpansionOfEveryByte) {
    const CUlawTable table;
    for (int u = 0; u < 256; ++u)
        EXPECT_EQ(table[uint8_t(u)], UlawDecode(uint8_t(u))) << u;
}

TEST(UlawTable, CodesOfBothSignsMirrorEachOther) {
    const CUlawTable table;
    for (int u = 0; u < 128; ++u)
        EXPECT_EQ(table[uint8_t(u)], -table[uint8_t(u | 0x80)]) << u;
}

TEST(UlawTable, ToPcmConvertsNoMoreThanFits) {
    const CUlawTable table;
    const std::vector<uint8_t> source{0x00, 0x80, 0xFF, 0x7F, 0x00};
    std::vector<int16_t> pcm(4, 111);
    int count = -1;
    EXPECT_EQ(table.ToPcm(pcm.data(), 3, &count, source.data(), int(source.size())), 0);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(pcm, (std::vector<int16_t>{-8031, 8031, 0, 111}));
    EXPECT_EQ(table.ToPcm(pcm.data(), 4, &count, source.data(), 0), 0);
    EXPECT_EQ(count, 0);
}

TEST(UlawEncode, KnownCodes) {
    EXPECT_EQ(UlawEncode(0), 0xFF);
    EXPECT_EQ(UlawEncode(-1), 0x7F);
    EXPECT_EQ(UlawEncode(32767), 0x80);
    EXPECT_EQ(UlawEncode(-32768), 0x00);
    EXPECT_EQ(UlawEncode(1000), 0xCE);
}

// Each code's expansion, scaled up to 16 bits, encodes back to the code (the
// negative zero 0x7F comes back as the positive 0xFF).
TEST(UlawEncode, InvertsTheExpansion) {
    for (int u = 0; u < 256; ++u) {
        const uint8_t expected = u == 0x7F ? 0xFF : uint8_t(u);
        EXPECT_EQ(UlawEncode(int16_t(UlawDecode(uint8_t(u)) * 4)), expected) << u;
    }
}

// Encoding keeps the order of the samples: a larger sample never gets a
// smaller expansion.
TEST(UlawEncode, KeepsTheOrderOfSamples) {
    int previous = UlawDecode(UlawEncode(-32768));
    for (int s = -32767; s <= 32767; ++s) {
        const int now = UlawDecode(UlawEncode(int16_t(s)));
        ASSERT_GE(now, previous) << s;
        previous = now;
    }
}

}  // namespace
