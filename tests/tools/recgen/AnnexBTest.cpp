#include "tools/recgen/AnnexB.h"

#include <gtest/gtest.h>

#include "tools/recgen/ChannelColour.h"

namespace {

using namespace recgen;
using Bytes = std::vector<uint8_t>;

TEST(SplitNalUnits, ThreeAndFourByteStartCodes) {
    const Bytes stream{0, 0, 0, 1, 0x67, 1, 2, 0, 0, 1, 0x68, 3, 0, 0, 0, 0, 1, 0x65, 4, 5, 0, 0};
    const auto units = SplitNalUnits(stream);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(Bytes(units[0].begin(), units[0].end()), (Bytes{0x67, 1, 2}));
    EXPECT_EQ(Bytes(units[1].begin(), units[1].end()), (Bytes{0x68, 3}));
    EXPECT_EQ(Bytes(units[2].begin(), units[2].end()), (Bytes{0x65, 4, 5}));
    EXPECT_EQ(NalType(units[2]), 5);
    EXPECT_TRUE(SplitNalUnits(Bytes{1, 2, 3}).empty());
}

TEST(RecorderFrameWriter, ParameterSetsInFrontOfEveryKeyFrame) {
    RecorderFrameWriter w;
    // An access unit without parameter sets cannot start a picture.
    EXPECT_TRUE(w.Rewrite(Bytes{0, 0, 1, 0x65, 9}, true).empty());
    // Delimiter and SEI are dropped; start codes become 4 bytes.
    const Bytes first{0,    0, 1, 0x09, 0xF0, 0,    0, 1, 0x67, 7, 0,    0, 1,
                      0x68, 8, 0, 0,    1,    0x06, 5, 0, 0,    1, 0x65, 1};
    EXPECT_EQ(w.Rewrite(first, true),
              (Bytes{0, 0, 0, 1, 0x67, 7, 0, 0, 0, 1, 0x68, 8, 0, 0, 0, 1, 0x65, 1}));
    EXPECT_EQ(w.Rewrite(Bytes{0, 0, 1, 0x41, 2}, false), (Bytes{0, 0, 0, 1, 0x41, 2}));
    // A later key frame without in-band parameter sets gets the remembered ones.
    EXPECT_EQ(w.Rewrite(Bytes{0, 0, 1, 0x65, 3}, true),
              (Bytes{0, 0, 0, 1, 0x67, 7, 0, 0, 0, 1, 0x68, 8, 0, 0, 0, 1, 0x65, 3}));
}

TEST(ChannelColour, DocumentedTableAndConversion) {
    EXPECT_EQ(ChannelColour(0).r, 200);
    EXPECT_EQ(ChannelColour(2).b, 200);
    EXPECT_EQ(ChannelColour(15).g, 220);
    EXPECT_EQ(ChannelColour(17).g, ChannelColour(1).g);
    const Yuv white = RgbToYuv({255, 255, 255}), black = RgbToYuv({0, 0, 0});
    EXPECT_EQ(white.y, 235);
    EXPECT_EQ(black.y, 16);
    EXPECT_EQ(white.u, 128);
    EXPECT_EQ(black.v, 128);
    const Yuv red = RgbToYuv({255, 0, 0});
    EXPECT_EQ(red.y, 81);
    EXPECT_EQ(red.u, 90);
    EXPECT_EQ(red.v, 240);
    // Every pair of channels differs clearly in YUV, so a centre pixel tells them apart.
    for (int a = 0; a < 16; ++a) {
        for (int b = a + 1; b < 16; ++b) {
            const Yuv x = RgbToYuv(ChannelColour(a)), y = RgbToYuv(ChannelColour(b));
            const int d = std::abs(x.y - y.y) + std::abs(x.u - y.u) + std::abs(x.v - y.v);
            EXPECT_GT(d, 20) << a << " " << b;
        }
    }
}

}  // namespace
