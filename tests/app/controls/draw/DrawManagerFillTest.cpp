#include <gtest/gtest.h>

#include <cstdlib>

#include "app/controls/draw/QoDrawManager.h"
#include "tests/app/controls/draw/Canvas.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kOutside = RGB(1, 2, 3);

COLORREF Grey(int v) {
    return RGB(BYTE(v), BYTE(v), BYTE(v));
}

using Row = std::vector<COLORREF>;

class Fill : public ::testing::Test {
protected:
    void SetUp() override { std::srand(1); }
    CQoDrawManager manager;
};

}  // namespace

TEST_F(Fill, GradientHas64Bands) {
    Canvas wide(64, 1);
    const RECT r{0, 0, 64, 1};
    manager.FillGradient(wide.Dc(), &r, kBlack, kWhite, TRUE);
    EXPECT_EQ(wide.At(0, 0), kBlack);
    EXPECT_EQ(wide.At(32, 0), Grey(127));
    EXPECT_EQ(wide.At(63, 0), Grey(251));

    Canvas narrow(1, 3, kOutside);
    const RECT tall{0, 1, 1, 3};
    manager.FillGradient(narrow.Dc(), &tall, kBlack, kWhite, FALSE);
    EXPECT_EQ(narrow.At(0, 0), kOutside);
    EXPECT_EQ(narrow.At(0, 1), Grey(123)) << "band 31 is the first non-empty one of two pixels";
    EXPECT_EQ(narrow.At(0, 2), Grey(251));
}

TEST_F(Fill, BackgroundGradientsByHalves) {
    Canvas canvas(4, 1);
    const RECT r{0, 0, 4, 1};
    manager.FillBackground(canvas.Dc(), EFFECT_HCGRADIENT, &r, kBlack, kGrey, kWhite, 0, 0);
    EXPECT_EQ(canvas.Row(0), (Row{Grey(123), Grey(251), Grey(131), Grey(3)}));
    manager.FillBackground(canvas.Dc(), EFFECT_3HGRADIENT, &r, kBlack, kGrey, kWhite, 0, 0);
    EXPECT_EQ(canvas.Row(0), (Row{Grey(62), Grey(126), Grey(189), Grey(253)}));
}

TEST_F(Fill, UnknownEffectsAndTransparentFillSolid) {
    for (int effect : {int(EFFECT_SOLID), int(EFFECT_TRANSPARENT), 16, -7}) {
        Canvas canvas(3, 2, kOutside);
        const RECT r{1, 0, 3, 2};
        manager.FillBackground(canvas.Dc(), effect, &r, RGB(9, 8, 7), kGrey, kWhite, 0, 0);
        EXPECT_EQ(canvas.Row(1), (Row{kOutside, RGB(9, 8, 7), RGB(9, 8, 7)})) << effect;
    }
}

TEST_F(Fill, ShadesRunThroughThePalette) {
    Canvas canvas(3, 3, kOutside);
    const RECT r{1, 1, 3, 3};
    manager.FillBackground(canvas.Dc(), EFFECT_HSHADE, &r, kWhite, kGrey, kBlack, 0, 0);
    EXPECT_EQ(canvas.Row(0), (Row(3, kOutside)));
    EXPECT_EQ(canvas.Row(1), (Row{kOutside, Grey(127), Grey(127)})) << "top: stored row 1";
    EXPECT_EQ(canvas.Row(2), (Row{kOutside, kBlack, kBlack}));
    manager.FillBackground(canvas.Dc(), EFFECT_VSHADE, &r, kWhite, kGrey, kBlack, 0, 0);
    EXPECT_EQ(canvas.Row(2), (Row{kOutside, kWhite, Grey(127)}));
    manager.FillBackground(canvas.Dc(), EFFECT_VSHADE, &r, RGB(0, 90, 0), kGrey, kBlack, 0, 100);
    EXPECT_EQ(canvas.Row(2), (Row{kOutside, RGB(0, 90, 0), RGB(0, 90, 0)})) << "full colouring";
}

TEST_F(Fill, NoiseStaysWithinTwiceTheGranularity) {
    Canvas canvas(8, 8);
    const RECT r{0, 0, 8, 8};
    manager.FillBackground(canvas.Dc(), EFFECT_NOISE, &r, kWhite, kGrey, kBlack, 10, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int red = GetRValue(canvas.At(x, y));
            EXPECT_GE(red, 118);
            EXPECT_LE(red, 138);
        }
}

TEST_F(Fill, TexturesOnTinyRectanglesStayInside) {
    for (int effect = EFFECT_NOISE; effect <= EFFECT_METAL; ++effect)
        for (const RECT r :
             {RECT{1, 1, 2, 2}, RECT{1, 1, 4, 2}, RECT{1, 1, 2, 4}, RECT{1, 1, 1, 3}}) {
            Canvas canvas(5, 5, kOutside);
            manager.FillBackground(canvas.Dc(), effect, &r, kWhite, kGrey, kBlack, 3, 0);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x) {
                    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    EXPECT_EQ(canvas.At(x, y) == kOutside, !inside) << effect << " " << x << y;
                }
        }
}

// On one pixel the softbump value before noise is 128 + (128 - G) x 3 / 128,
// within two of the plain noise fill's 128 for every granularity G; drawn with
// the same noise, it lands within two palette steps of it. A granularity above
// 127 once clamped with inverted bounds and pushed it to G or 255 - G instead.
TEST_F(Fill, SoftbumpKeepsItsValueForEveryGranularity) {
    const RECT pixel{0, 0, 1, 1};
    for (const int granularity : {10, 127, 128, 200, 255}) {
        Canvas noise(1, 1), bump(1, 1);
        std::srand(3);
        manager.FillBackground(noise.Dc(), EFFECT_NOISE, &pixel, kWhite, kGrey, kBlack,
                               BYTE(granularity), 0);
        std::srand(3);
        manager.FillBackground(bump.Dc(), EFFECT_SOFTBUMP, &pixel, kWhite, kGrey, kBlack,
                               BYTE(granularity), 0);
        const int step = int(GetRValue(noise.At(0, 0))) - int(GetRValue(bump.At(0, 0)));
        EXPECT_LE(std::abs(step), 2) << granularity;
    }
}
