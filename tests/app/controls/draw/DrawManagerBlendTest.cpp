#include <gtest/gtest.h>

#include "app/controls/draw/QoDrawManager.h"
#include "tests/app/controls/draw/Canvas.h"

using namespace pixelwords;

struct WordCase {
    const char* name;
    uint32_t (*op)(uint32_t);
    uint32_t in;
    uint32_t out;
};

TEST(PixelWords, ColourOperations) {
    const WordCase cases[] = {
        {"grey of red", Grey, 0x00FF0000, 0x004C4C4C},
        {"grey of green", Grey, 0x0000FF00, 0x00959595},
        {"negate", Negate, 0xAA102030, 0x00EFDFCF},
        {"darken", [](uint32_t p) { return ScaleDown(p, 0.75); }, 0x00FF8001, 0x00BF6000},
        {"lighten", [](uint32_t p) { return ScaleUp(p, 0.25); }, 0x00F08004, 0x00FFA005},
        {"scale down by 1 is no change", [](uint32_t p) { return ScaleDown(p, 1.0); }, 0x123456,
         0x123456},
        {"scale up by 0 is no change", [](uint32_t p) { return ScaleUp(p, 0.0); }, 0x123456,
         0x123456},
    };
    for (const WordCase& c : cases)
        EXPECT_EQ(c.op(c.in), c.out) << c.name;
    EXPECT_EQ(Mix(0x00FF0000, 0.5, 0x000000FF, 0.5), 0x007F007Fu);
    EXPECT_EQ(FromColour(RGB(1, 2, 3)), 0x00010203u);
    EXPECT_EQ(ToColour(0x00010203u), RGB(1, 2, 3));
}

class Blend : public ::testing::Test {
protected:
    Blend() {
        src.Set(0, 0, RGB(200, 100, 0));
        src.Set(1, 0, RGB(0, 0, 0));
    }
    Canvas src{2, 1};
    Canvas dst{3, 1, RGB(100, 50, 250)};
    CQoDrawManager manager;
};

TEST_F(Blend, AlphaBitBltByPercent) {
    manager.AlphaBitBlt(dst.Dc(), 1, 0, 2, 1, src.Dc(), 0, 0, 0);
    EXPECT_EQ(dst.Row(0), (std::vector<COLORREF>(3, RGB(100, 50, 250)))) << "0 keeps the target";
    manager.AlphaBitBlt(dst.Dc(), 1, 0, 2, 1, src.Dc(), 0, 0, 50);
    EXPECT_EQ(dst.Row(0),
              (std::vector<COLORREF>{RGB(100, 50, 250), RGB(150, 75, 125), RGB(50, 25, 125)}));
    manager.AlphaBitBlt(dst.Dc(), 0, 0, 2, 1, src.Dc(), 0, 0, 120);
    EXPECT_EQ(dst.At(0, 0), RGB(200, 100, 0)) << "100 or more copies exactly";
    EXPECT_EQ(dst.At(1, 0), RGB(0, 0, 0));
}

TEST_F(Blend, ByAlphaChannelWeighsEachPixel) {
    src.SetWord(0, 0, 0xFF00FF00);
    src.SetWord(1, 0, 0x00FFFFFF);
    manager.BlendByAlphaChannel(dst.Dc(), 0, 0, 2, 1, src.Dc(), 0, 0);
    EXPECT_EQ(dst.At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(dst.At(1, 0), RGB(100, 50, 250));
}

TEST(MakeEffectBitmap, EffectsMaskAndAlpha) {
    const OwnedBitmap source{MakeBitmap(4, 1, {0x00C86428, 0x00FF00FF, 0x80FF8040, 0x00102040})};
    CQoDrawManager manager;
    struct Case {
        DWORD flags;
        uint32_t first;
        uint32_t masked;
    } cases[] = {
        {0, 0x00C86428, 0},
        {IMAGE_EFFECT_GREY, 0x007B7B7B, 0},
        {IMAGE_EFFECT_DARKEN, 0x00964B1E, 0},
        {IMAGE_EFFECT_LIGHTEN, 0x00FA7D32, 0},
        {IMAGE_EFFECT_COLOURIZE, 0x00010203, 0},
        {IMAGE_EFFECT_INVERT, 0x00379BD7, 0x00FFFFFF},
        {IMAGE_EFFECT_GREY | IMAGE_EFFECT_COLOURIZE | IMAGE_EFFECT_INVERT, 0x00FEFDFC, 0x00FFFFFF},
    };
    for (const Case& c : cases) {
        HBITMAP made = manager.MakeEffectBitmap(source.handle, 4, 1, c.flags, TRUE,
                                                RGB(255, 0, 255), RGB(1, 2, 3));
        ASSERT_NE(made, nullptr);
        DIBSECTION ds{};
        ASSERT_NE(GetObject(made, sizeof(ds), &ds), 0);
        const auto* words = static_cast<const uint32_t*>(ds.dsBm.bmBits);
        EXPECT_EQ(words[0], c.first) << std::hex << c.flags;
        EXPECT_EQ(words[1], c.masked) << std::hex << c.flags;
        EXPECT_EQ(words[2] >> 24, 0x80u) << "the alpha byte is put back";
        EXPECT_TRUE(manager.HasAlpha());
        DeleteObject(made);
    }
}
