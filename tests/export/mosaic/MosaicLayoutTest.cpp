#include "export/mosaic/MosaicLayout.h"

#include <gtest/gtest.h>

#include <vector>

#include "export/decode/ExportDecoders.h"

namespace {

using oskulo::ComposeMosaic;
using oskulo::MosaicLayout;

struct LayoutCase {
    int channels;
    MosaicLayout expected;
};

class MosaicLayoutFor : public testing::TestWithParam<LayoutCase> {};

TEST_P(MosaicLayoutFor, GivesTheGridOfTheChannelCount) {
    MosaicLayout m;
    ASSERT_TRUE(oskulo::MosaicLayoutFor(GetParam().channels, &m));
    const MosaicLayout& e = GetParam().expected;
    EXPECT_EQ(m.columns, e.columns);
    EXPECT_EQ(m.rows, e.rows);
    EXPECT_EQ(m.tileWidth, e.tileWidth);
    EXPECT_EQ(m.tileHeight, e.tileHeight);
    EXPECT_EQ(m.width, e.width);
    EXPECT_EQ(m.height, e.height);
}

INSTANTIATE_TEST_SUITE_P(Counts, MosaicLayoutFor,
                         testing::Values(LayoutCase{4, {2, 2, 640, 360, 1280, 720}},
                                         LayoutCase{8, {3, 3, 640, 360, 1920, 1080}},
                                         LayoutCase{12, {4, 3, 480, 360, 1920, 1080}},
                                         LayoutCase{16, {4, 4, 480, 270, 1920, 1080}}));

TEST(MosaicLayout, OtherChannelCountsHaveNone) {
    MosaicLayout m;
    for (int n : {0, 1, 6, 9, 17})
        EXPECT_FALSE(oskulo::MosaicLayoutFor(n, &m)) << n;
}

// Tiles of 8 x 4 whose planes carry the tile's number in each sample:
// luma 10 + k, second plane 100 + k, third plane 200 + k.
class ComposeTest : public testing::Test {
protected:
    static constexpr int kTw = 8, kTh = 4;

    void SetUp() override {
        for (int k = 0; k < 16; ++k) {
            auto& t = tiles_[std::size_t(k)];
            t.assign(kTw * kTh * 3 / 2, 0);
            std::fill_n(t.begin(), kTw * kTh, uint8_t(10 + k));
            std::fill_n(t.begin() + kTw * kTh, kTw * kTh / 4, uint8_t(100 + k));
            std::fill_n(t.begin() + kTw * kTh * 5 / 4, kTw * kTh / 4, uint8_t(200 + k));
            pointers_[k] = t.data();
            valid_[k] = true;
        }
    }

    bool Compose(int count) {
        out_.assign(std::size_t(4 * kTw * 4 * kTh * 3 / 2), 0xAA);
        return ComposeMosaic(pointers_, valid_, count, kTw, kTh, out_.data(), &size_, &w_, &h_);
    }

    uint8_t Luma(int x, int y) const { return out_[std::size_t(y * w_ + x)]; }
    uint8_t Second(int x, int y) const {
        return out_[std::size_t(w_ * h_ + (y / 2) * (w_ / 2) + x / 2)];
    }
    uint8_t Third(int x, int y) const {
        return out_[std::size_t(w_ * h_ * 5 / 4 + (y / 2) * (w_ / 2) + x / 2)];
    }

    std::array<std::vector<uint8_t>, 16> tiles_;
    const uint8_t* pointers_[16] = {};
    bool valid_[16] = {};
    std::vector<uint8_t> out_;
    int size_ = 0, w_ = 0, h_ = 0;
};

TEST_F(ComposeTest, PlacesEachTileRowMajorInEveryPlane) {
    ASSERT_TRUE(Compose(12));
    EXPECT_EQ(w_, 4 * kTw);
    EXPECT_EQ(h_, 3 * kTh);
    EXPECT_EQ(size_, w_ * h_ * 3 / 2);
    for (int k = 0; k < 12; ++k) {
        const int x = (k % 4) * kTw + kTw / 2;
        const int y = (k / 4) * kTh + kTh / 2;
        EXPECT_EQ(Luma(x, y), 10 + k) << "tile " << k;
        EXPECT_EQ(Second(x, y), 100 + k) << "tile " << k;
        EXPECT_EQ(Third(x, y), 200 + k) << "tile " << k;
    }
}

TEST_F(ComposeTest, EightChannelsLeaveTheNinthTileBlack) {
    ASSERT_TRUE(Compose(8));
    const int x = 2 * kTw + 1, y = 2 * kTh + 1;
    EXPECT_EQ(Luma(x, y), 0);
    EXPECT_EQ(Second(x, y), 128);
    EXPECT_EQ(Third(x, y), 128);
    EXPECT_EQ(Luma(kTw + 1, 2 * kTh + 1), 10 + 7);
}

TEST_F(ComposeTest, ATileWithoutAPictureIsBlack) {
    valid_[2] = false;
    ASSERT_TRUE(Compose(4));
    EXPECT_EQ(Luma(1, kTh + 1), 0);
    EXPECT_EQ(Second(1, kTh + 1), 128);
    EXPECT_EQ(Third(1, kTh + 1), 128);
    EXPECT_EQ(Luma(kTw + 1, kTh + 1), 10 + 3);
}

TEST_F(ComposeTest, RefusesOtherCountsAndMissingBuffers) {
    EXPECT_FALSE(Compose(6));
    EXPECT_FALSE(ComposeMosaic(pointers_, valid_, 4, kTw, kTh, nullptr, &size_, &w_, &h_));
    EXPECT_FALSE(ComposeMosaic(nullptr, valid_, 4, kTw, kTh, out_.data(), &size_, &w_, &h_));
}

TEST(ScalePicture, KeepsASolidColourAndGivesTheOutputLines) {
    const int sw = 352, sh = 288, dw = 640, dh = 360;
    std::vector<uint8_t> src(std::size_t(sw * sh * 3 / 2));
    std::fill_n(src.begin(), sw * sh, uint8_t(90));
    std::fill_n(src.begin() + sw * sh, sw * sh / 4, uint8_t(60));
    std::fill_n(src.begin() + sw * sh * 5 / 4, sw * sh / 4, uint8_t(190));
    std::vector<uint8_t> dst(std::size_t(dw * dh * 3 / 2), 0);
    EXPECT_EQ(oskulo::ScalePicture(sw, sh, dw, dh, src.data(), dst.data()), dh);
    EXPECT_NEAR(dst[std::size_t(dh / 2 * dw + dw / 2)], 90, 1);
    EXPECT_NEAR(dst[std::size_t(dw * dh + 10)], 60, 1);
    EXPECT_NEAR(dst[std::size_t(dw * dh * 5 / 4 + 10)], 190, 1);
    EXPECT_EQ(oskulo::ScalePicture(0, sh, dw, dh, src.data(), dst.data()), 0);
    oskulo::CExportDecoders decoders;
    EXPECT_EQ(decoders.ScaleFrame(0, 17, sw, sh, dw, dh, src.data(), dst.data()), 0);
    std::vector<uint8_t> again(dst.size(), 0);
    EXPECT_EQ(decoders.ScaleFrame(0, 16, sw, sh, dw, dh, src.data(), again.data()), dh);
    EXPECT_EQ(again, dst) << "a kept scaler gives what a fresh one gives";
    std::vector<uint8_t> small(std::size_t(320 * 180 * 3 / 2), 0);
    EXPECT_EQ(decoders.ScaleFrame(0, 16, sw, sh, 320, 180, src.data(), small.data()), 180)
        << "new sizes make a new scaler";
    EXPECT_NEAR(small[std::size_t(90 * 320 + 160)], 90, 1);
}

}  // namespace
