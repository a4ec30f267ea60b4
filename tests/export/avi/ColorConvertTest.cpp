#include "export/avi/ColorConvert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Colour {
    uint8_t y, second, third;
};

std::vector<uint8_t> SolidPicture(int w, int h, Colour c) {
    std::vector<uint8_t> p(std::size_t(w * h * 3 / 2));
    std::fill_n(p.begin(), w * h, c.y);
    std::fill_n(p.begin() + w * h, w * h / 4, c.second);
    std::fill_n(p.begin() + w * h * 5 / 4, w * h / 4, c.third);
    return p;
}

class ColorConvertRoundTrip : public testing::TestWithParam<Colour> {};

TEST_P(ColorConvertRoundTrip, KeepsTheColourWithinRounding) {
    const oskulo::CColorConvert convert;
    const int w = 6, h = 4, pitch = 20;  // a padded pitch, as a 24-bit DIB row has
    const Colour c = GetParam();
    const std::vector<uint8_t> picture = SolidPicture(w, h, c);
    std::vector<uint8_t> pixels(std::size_t(pitch * h), 0xEE);
    convert.PictureToPixels(picture.data(), w, h, pixels.data(), pitch);
    std::vector<uint8_t> back(picture.size());
    convert.PixelsToPicture(pixels.data(), pitch, w, h, back.data());
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_LE(std::abs(int(back[i]) - int(picture[i])), 2) << "byte " << i;
    EXPECT_EQ(pixels[std::size_t(w * 3)], 0xEE) << "the row padding is not written";
}

INSTANTIATE_TEST_SUITE_P(Colours, ColorConvertRoundTrip,
                         testing::Values(Colour{16, 128, 128}, Colour{235, 128, 128},
                                         Colour{81, 90, 240}, Colour{145, 54, 34},
                                         Colour{41, 240, 110}, Colour{126, 128, 128}));

TEST(ColorConvert, WhiteAndBlackPixelsGiveTheLimitedRangeExtremes) {
    const oskulo::CColorConvert convert;
    std::vector<uint8_t> pixels(2 * 3 * 2, 255);
    std::fill_n(pixels.begin() + 6, 6, uint8_t(0));  // second row black
    std::vector<uint8_t> picture(2 * 2 * 3 / 2);
    convert.PixelsToPicture(pixels.data(), 6, 2, 2, picture.data());
    EXPECT_NEAR(picture[0], 235, 1);  // the tables truncate
    EXPECT_NEAR(picture[1], 235, 1);
    EXPECT_EQ(picture[2], 16);
    EXPECT_EQ(picture[3], 16);
    EXPECT_NEAR(picture[4], 128, 1);
    EXPECT_NEAR(picture[5], 128, 1);
}

TEST(ColorConvert, GreyLumaGivesEqualChannels) {
    const oskulo::CColorConvert convert;
    const std::vector<uint8_t> picture = SolidPicture(2, 2, {126, 128, 128});
    std::vector<uint8_t> pixels(12);
    convert.PictureToPixels(picture.data(), 2, 2, pixels.data(), 6);
    EXPECT_EQ(pixels[0], pixels[1]);
    EXPECT_EQ(pixels[1], pixels[2]);
    EXPECT_NEAR(pixels[0], 128, 1);
}

}  // namespace
