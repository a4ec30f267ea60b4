#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>

#include "tests/app/controls/gallery/ImageCompare.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

constexpr int kSide = 320;  // 102400 pixels: 0.1 % is 102 of them
constexpr uint32_t kGrey = 0x464646;
const Tolerance kTolerance;

// A grey picture changed by `change`.
RgbImage Changed(const std::function<void(RgbImage&)>& change) {
    RgbImage image(kSide, kSide, kGrey);
    change(image);
    return image;
}

// `count` pixels one per square, `by` off in the green channel.
void Scatter(RgbImage& image, int count, uint32_t by) {
    for (int i = 0; i < count; ++i)
        image.At(i % 20 * 16 + 3, i / 20 * 16 + 5) += by << 8;
}

struct Case {
    const char* what;
    std::function<void(RgbImage&)> change;
    size_t differing;
    bool within;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.what;
}

class ImageCompareCases : public ::testing::TestWithParam<Case> {};

TEST_P(ImageCompareCases, CountsDifferingPixelsAndJudges) {
    const Case& c = GetParam();
    const ImageDifference d = Compare(RgbImage(kSide, kSide, kGrey), Changed(c.change), kTolerance);
    EXPECT_TRUE(d.sizesMatch);
    EXPECT_EQ(d.differing, c.differing) << d.Describe();
    EXPECT_EQ(d.Within(kTolerance), c.within) << d.Describe();
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ImageCompareCases,
    ::testing::Values(Case{"identical", [](RgbImage&) {}, 0, true},
                      Case{"every pixel off by the channel limit",
                           [](RgbImage& i) {
                               for (uint32_t& p : i.pixels)
                                   p += 40;
                           },
                           0, true},
                      Case{"scattered edge pixels, fewer than the share",
                           [](RgbImage& i) { Scatter(i, 100, 41); }, 100, true},
                      Case{"scattered pixels, more than the share",
                           [](RgbImage& i) { Scatter(i, 103, 41); }, 103, false},
                      Case{"a small control gone: an 8 x 8 block",
                           [](RgbImage& i) {
                               for (int y = 100; y < 108; ++y)
                                   for (int x = 200; x < 208; ++x)
                                       i.At(x, y) = 0;
                           },
                           64, false},
                      Case{"a dark pixel turned light in one channel only",
                           [](RgbImage& i) { i.At(0, 0) = kGrey | 0xFF; }, 1, true}),
    [](const ::testing::TestParamInfo<Case>& param) {
        std::string name = param.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(ImageCompare, PicturesOfAnotherSizeNeverMatch) {
    const ImageDifference d =
        Compare(RgbImage(kSide, kSide, kGrey), RgbImage(kSide, kSide - 1, kGrey), kTolerance);
    EXPECT_FALSE(d.sizesMatch);
    EXPECT_FALSE(d.Within(kTolerance));
    EXPECT_FALSE(Compare(RgbImage(), RgbImage(), kTolerance).Within(kTolerance));
}

TEST(ImageCompare, TheDifferencePictureMarksWhatDiffersAndFindsTheDensestSquare) {
    const RgbImage actual = Changed([](RgbImage& i) {
        for (int x = 40; x < 50; ++x)
            i.At(x, 70) = 0xFFFFFF;
    });
    const ImageDifference d = Compare(RgbImage(kSide, kSide, kGrey), actual, kTolerance);
    EXPECT_EQ(d.picture.At(45, 70), 0xFF0000u);
    EXPECT_EQ(d.picture.At(45, 71), 0x111111u) << "the rest dimmed to a quarter";
    EXPECT_EQ(d.densestTile, 8u) << "x 40..47 lie in the square at 32";
    EXPECT_EQ(d.tileX, 32);
    EXPECT_EQ(d.tileY, 64);
}

TEST(ImageCompare, PngFilesKeepEveryPixel) {
    RgbImage image(3, 2);
    image.pixels = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF};
    const TempDir dir;
    const std::string path = dir.File("roundtrip.png");
    ASSERT_TRUE(WritePng(image, path));
    const RgbImage back = ReadPng(path);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, image.pixels);
    EXPECT_TRUE(ReadPng(path + ".missing").Empty());
}

}  // namespace
