#include <gtest/gtest.h>

#include <vector>

#include "player/audio/UlawTable.h"

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
    CUlawTable table;
    table.Build();
    for (int u = 0; u < 256; ++u)
        EXPECT_EQ(table[uint8_t(u)], UlawDecode(uint8_t(u))) << u;
}

TEST(UlawTable, ToPcmConvertsNoMoreThanFits) {
    CUlawTable table;
    table.Build();
    const std::vector<uint8_t> source{0x00, 0x80, 0xFF, 0x7F, 0x00};
    std::vector<int16_t> pcm(4, 111);
    int count = -1;
    EXPECT_EQ(table.ToPcm(pcm.data(), 3, &count, source.data(), int(source.size())), 0);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(pcm, (std::vector<int16_t>{-8031, 8031, 0, 111}));
    EXPECT_EQ(table.ToPcm(pcm.data(), 4, &count, source.data(), 0), 0);
    EXPECT_EQ(count, 0);
}

}  // namespace
