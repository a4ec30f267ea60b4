#include <gtest/gtest.h>

#include "app/controls/draw/QoDrawManager.h"
#include "tests/app/controls/draw/Canvas.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr uint32_t kRedWord = 0x00FF0000;
constexpr uint32_t kKeyWord = 0x00FF00FF;

using Row = std::vector<COLORREF>;

}  // namespace

TEST(DrawBitmap, MaskColourLeavesTheTargetShowing) {
    const OwnedBitmap bitmap{MakeBitmap(2, 1, {kRedWord, kKeyWord})};
    Canvas canvas(3, 1, kBlue);
    CQoDrawManager manager;
    manager.DrawBitmap(canvas.Dc(), 1, 0, 2, 1, bitmap.handle, TRUE, kKey, 0, FALSE, 0, 0, 0, 0,
                       kBlack);
    EXPECT_EQ(canvas.Row(0), (Row{kBlue, kRed, kBlue}));
    EXPECT_FALSE(manager.HasAlpha());
    manager.DrawBitmap(canvas.Dc(), 0, 0, 2, 1, nullptr, TRUE, kKey, 0, FALSE, 0, 0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(0), (Row{kBlue, kRed, kBlue})) << "a null bitmap draws nothing";
}

TEST(DrawBitmap, StretchesToTheGivenSize) {
    const OwnedBitmap bitmap{MakeBitmap(2, 1, {kRedWord, kKeyWord})};
    Canvas canvas(4, 2, kBlue);
    CQoDrawManager manager;
    manager.DrawBitmap(canvas.Dc(), 0, 0, 4, 2, bitmap.handle, FALSE, kKey, 0, FALSE, 0, 0, 0, 0,
                       kBlack);
    EXPECT_EQ(canvas.Row(1), (Row{kRed, kRed, kKey, kKey})) << "without the mask the key is drawn";
}

TEST(DrawBitmap, AnAlphaByteBlendsByTheAlphaChannelNotTheMask) {
    const OwnedBitmap bitmap{MakeBitmap(2, 1, {0x80FF0000, kKeyWord})};
    Canvas canvas(3, 1, kBlue);
    CQoDrawManager manager;
    manager.DrawBitmap(canvas.Dc(), 1, 0, 2, 1, bitmap.handle, TRUE, kKey, 0, FALSE, 0, 0, 0, 0,
                       kBlack);
    EXPECT_TRUE(manager.HasAlpha());
    EXPECT_EQ(canvas.Row(0), (Row{kBlue, RGB(128, 0, 127), kBlue}));
}

TEST(DrawBitmap, ShadowFlagsDrawAShadowBehindTheImage) {
    const OwnedBitmap bitmap{MakeBitmap(2, 2, {kRedWord, kRedWord, kRedWord, kRedWord})};
    CQoDrawManager manager;
    Canvas shadowed(3, 3, kWhite);
    manager.DrawBitmap(shadowed.Dc(), 0, 0, 2, 2, bitmap.handle, FALSE, kKey, IMAGE_EFFECT_SHADOW,
                       TRUE, 1, 1, 0, 0, kBlack);
    EXPECT_EQ(shadowed.Row(0), (Row{kRed, kRed, kWhite}));
    EXPECT_EQ(shadowed.Row(1), (Row{kRed, kRed, kBlack}));
    EXPECT_EQ(shadowed.Row(2), (Row{kWhite, kBlack, kBlack}));

    Canvas moved(3, 3, kWhite);
    manager.DrawBitmap(moved.Dc(), 0, 0, 2, 2, bitmap.handle, FALSE, kKey, 0, TRUE, 1, 1, 0, 0,
                       kBlack);
    EXPECT_EQ(moved.Row(0), (Row{kWhite, kWhite, kWhite})) << "without the flags: moved image";
    EXPECT_EQ(moved.Row(2), (Row{kWhite, kRed, kRed}));
}

TEST(DrawShadow, BlurredShadowAveragesOverOddBoxes) {
    const OwnedBitmap mask{MakeBitmap(5, 5, std::vector<uint32_t>(25, 0))};
    for (DWORD depth : {2u, 3u}) {
        Canvas canvas(5, 5, kWhite);
        CQoDrawManager manager;
        manager.DrawShadow(canvas.Dc(), 0, 0, 5, 5, mask.handle, TRUE, depth, depth);
        // The mask shrinks to (1, 1)-(3, 3); a 3 x 3 box around (1, 1) sees 4 of it.
        EXPECT_EQ(canvas.At(0, 0), RGB(226, 226, 226)) << depth;
        EXPECT_EQ(canvas.At(1, 1), RGB(141, 141, 141)) << depth;
        EXPECT_EQ(canvas.At(2, 2), RGB(141, 141, 141)) << depth;
        EXPECT_EQ(canvas.At(4, 4), kWhite) << depth;
    }
}

TEST(DrawShadow, SharpShadowScalesByTheMask) {
    const OwnedBitmap mask{MakeBitmap(2, 1, {0x00000000, 0x00FFFFFF})};
    Canvas canvas(2, 1, RGB(200, 100, 50));
    CQoDrawManager manager;
    manager.DrawShadow(canvas.Dc(), 0, 0, 2, 1, mask.handle, FALSE, 0, 0);
    EXPECT_EQ(canvas.Row(0), (Row{kBlack, RGB(200, 100, 50)}));
}

TEST(DrawImageList, PicksCellsRowByRowAndIgnoresIndicesBeyondTheStrip) {
    const uint32_t a = 0x000000AA, b = 0x0000BB00, c = 0x00CC0000, d = 0x00DDDDDD;
    const OwnedBitmap strip{MakeBitmap(4, 2, {a, a, b, b, c, c, d, d})};
    Canvas canvas(2, 1, kWhite);
    CQoDrawManager manager;
    manager.DrawImageList(canvas.Dc(), 0, 0, 2, 1, strip.handle, 3, 2, 1, FALSE, kKey, 0, FALSE, 0,
                          0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(0), (Row(2, pixelwords::ToColour(d))));
    manager.DrawImageList(canvas.Dc(), 0, 0, 2, 1, strip.handle, 2, 2, 1, FALSE, kKey, 0, FALSE, 0,
                          0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(0), (Row(2, pixelwords::ToColour(c))));
    canvas.Fill(kWhite);
    for (int index : {4, -1})
        manager.DrawImageList(canvas.Dc(), 0, 0, 2, 1, strip.handle, index, 2, 1, FALSE, kKey, 0,
                              FALSE, 0, 0, 0, 0, kBlack);
    manager.DrawImageList(canvas.Dc(), 0, 0, 2, 1, strip.handle, 0, 0, 1, FALSE, kKey, 0, FALSE, 0,
                          0, 0, 0, kBlack);
    manager.DrawImageList(canvas.Dc(), 0, 0, 2, 1, strip.handle, 0, 5, 1, FALSE, kKey, 0, FALSE, 0,
                          0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(0), (Row(2, kWhite)));
}

TEST(TileBlt, RepeatsTheBlockAndCutsAtTheEdges) {
    Canvas source(3, 2);
    source.Set(1, 0, kRed);
    source.Set(2, 0, kBlue);
    Canvas canvas(6, 2, kWhite);
    CQoDrawManager manager;
    manager.TileBlt(canvas.Dc(), 1, 0, 5, 1, source.Dc(), 1, 0, 2, 1);
    EXPECT_EQ(canvas.Row(0), (Row{kWhite, kRed, kBlue, kRed, kBlue, kRed}));
    EXPECT_EQ(canvas.Row(1), (Row(6, kWhite)));
}
