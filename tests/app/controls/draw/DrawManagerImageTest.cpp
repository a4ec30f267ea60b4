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

// Small tiles are repeated in a scratch bitmap before they cover the area; the
// pattern must stay anchored at the area's corner, also where the area starts
// outside the destination and where it ends inside a tile.
TEST(TileBlt, SmallTilesCoverLargeAreasInTheSamePattern) {
    Canvas source(3, 4);
    const COLORREF tile[2][3] = {{kRed, kBlue, RGB(0, 255, 0)}, {kBlue, kWhite, RGB(9, 9, 9)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            source.Set(x, y + 1, tile[y][x]);
    const struct {
        int x, y, cx, cy, tileWidth, tileHeight;
    } areas[] = {{-5, -7, 600, 500, 3, 2},
                 {1, 2, 297, 1, 3, 2},
                 {0, 0, 1, 300, 1, 1},
                 {4, 3, 290, 290, 2, 1}};
    for (const auto& a : areas) {
        Canvas canvas(300, 300, RGB(7, 7, 7));
        CQoDrawManager manager;
        manager.TileBlt(canvas.Dc(), a.x, a.y, a.cx, a.cy, source.Dc(), 0, 1, a.tileWidth,
                        a.tileHeight);
        int wrong = 0;
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 300; ++x) {
                const bool inside = x >= a.x && x < a.x + a.cx && y >= a.y && y < a.y + a.cy;
                const COLORREF expected =
                    inside ? tile[(y - a.y) % a.tileHeight][(x - a.x) % a.tileWidth] : RGB(7, 7, 7);
                wrong += canvas.At(x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << a.x << "," << a.y << " " << a.cx << "x" << a.cy;
    }
}

namespace {

// A 2 x 2 icon: red, (transparent), green, black.
class IconDrawing : public ::testing::Test {
protected:
    IconDrawing() {
        const OwnedBitmap colour{MakeBitmap(2, 2, {kRedWord, 0x000000FF, 0x0000FF00, 0})};
        const BYTE maskBits[] = {0x40, 0, 0x00, 0};  // 1 where transparent
        const OwnedBitmap mask{CreateBitmap(2, 2, 1, 1, maskBits)};
        ICONINFO info{TRUE, 0, 0, mask.handle, colour.handle};
        icon = CreateIconIndirect(&info);
    }
    ~IconDrawing() override { DestroyIcon(icon); }

    HICON icon = nullptr;
    CQoDrawManager manager;
};

}  // namespace

TEST_F(IconDrawing, DrawsThroughItsMaskAtItsOwnSize) {
    ASSERT_NE(icon, nullptr);
    SIZE extent;
    manager.GetIconExtent(icon, &extent);
    EXPECT_EQ(extent.cx, 2);
    EXPECT_EQ(extent.cy, 2);
    Canvas canvas(3, 2, kWhite);
    manager.DrawIcon(canvas.Dc(), 1, 0, 2, 2, icon, 0, FALSE, 0, 0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(0), (Row{kWhite, kRed, kWhite}));
    EXPECT_EQ(canvas.Row(1), (Row{kWhite, RGB(0, 255, 0), kBlack}));
}

TEST_F(IconDrawing, ColourizeDrawsTheShapeInTheColour) {
    Canvas canvas(2, 2, kWhite);
    const COLORREF c = RGB(9, 99, 199);
    manager.DrawIcon(canvas.Dc(), 0, 0, 2, 2, icon, IMAGE_EFFECT_COLOURIZE, FALSE, 0, 0, 0, 0, c);
    EXPECT_EQ(canvas.Row(0), (Row{c, kWhite}));
    EXPECT_EQ(canvas.Row(1), (Row{c, c}));
}

TEST_F(IconDrawing, OtherSizesAreResized) {
    HICON big = manager.ResizeIcon(icon, 4, 4);
    ASSERT_NE(big, nullptr);
    SIZE extent;
    manager.GetIconExtent(big, &extent);
    EXPECT_EQ(extent.cx, 4);
    DestroyIcon(big);
    Canvas canvas(4, 4, kWhite);
    manager.DrawIcon(canvas.Dc(), 0, 0, 4, 4, icon, 0, FALSE, 0, 0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(1), (Row{kRed, kRed, kWhite, kWhite}));
    EXPECT_EQ(canvas.Row(3), (Row{RGB(0, 255, 0), RGB(0, 255, 0), kBlack, kBlack}));
}

TEST_F(IconDrawing, NullAndStaleIconsDoNothing) {
    SIZE extent{5, 5};
    manager.GetIconExtent(nullptr, &extent);
    EXPECT_EQ(extent.cx, 0);
    HICON gone = CopyIcon(icon);
    EXPECT_TRUE(DestroyIcon(gone));
    EXPECT_FALSE(DestroyIcon(gone));
    EXPECT_EQ(manager.ResizeIcon(gone, 4, 4), nullptr);
    Canvas canvas(2, 2, kWhite);
    manager.DrawIcon(canvas.Dc(), 0, 0, 2, 2, gone, 0, FALSE, 0, 0, 0, 0, kBlack);
    manager.DrawIcon(canvas.Dc(), 0, 0, 2, 2, nullptr, 0, FALSE, 0, 0, 0, 0, kBlack);
    EXPECT_EQ(canvas.Row(0), (Row(2, kWhite)));
}
