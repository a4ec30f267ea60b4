#include <gtest/gtest.h>

#include "app/controls/skin/SkinBitmap.h"
#include "tests/app/controls/skin/Pictures.h"

using namespace pictures;

namespace {

constexpr UINT kStrip = 61001;
constexpr UINT kFrame = 61002;
constexpr UINT kKeyed = 61003;

// The region as a picture of '#' (inside) and '.' over width x height.
Picture RegionPicture(HRGN region, int width, int height) {
    Picture p;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += ::PtInRegion(region, x, y) ? '#' : '.';
        p.push_back(row);
    }
    return p;
}

class SkinBitmap : public ::testing::Test {
protected:
    SkinBitmap() {
        AddResource(kStrip, {"rrgbb", "rrgbb"});
        AddResource(kFrame, {"rgb", "gwy", "byr"});
        AddResource(kKeyed, {".r.k", "...K"});
    }
};

}  // namespace

TEST_F(SkinBitmap, SizeComesFromTheBitmapAndIsZeroWithout) {
    CSkinBitmap none;
    CSkinBitmap out;
    EXPECT_FALSE(none.MakeNineSlice(&out, CRect(0, 0, 4, 4), 1, 1));
    EXPECT_EQ(out.GetSafeHandle(), nullptr) << "no black block in place of a missing skin";
    EXPECT_EQ(none.GetWidth(), 0);
    EXPECT_EQ(none.GetHeight(), 0);
    EXPECT_EQ(none.BitmapToRegion(0, 0), nullptr);
    CSkinBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(kStrip));
    EXPECT_EQ(strip.GetRect(), CRect(0, 0, 5, 2));
}

TEST_F(SkinBitmap, LoadOnceKeepsTheBitmapItHolds) {
    CSkinBitmap skin;
    EXPECT_FALSE(skin.LoadOnce(61999)) << "no such resource: still without a bitmap";
    EXPECT_EQ(skin.GetSafeHandle(), nullptr);
    ASSERT_TRUE(skin.LoadOnce(kStrip));
    const HGDIOBJ first = skin.GetSafeHandle();
    EXPECT_TRUE(skin.LoadOnce(kFrame)) << "holds one";
    EXPECT_EQ(skin.GetSafeHandle(), first) << "the first bitmap is kept, not replaced or leaked";
    EXPECT_EQ(skin.GetRect(), CRect(0, 0, 5, 2));
}

TEST_F(SkinBitmap, RegionLeavesOutTheKeyWithinTheTolerance) {
    CSkinBitmap keyed;
    ASSERT_TRUE(keyed.LoadBitmap(kKeyed));
    struct Case {
        COLORREF key;
        COLORREF tolerance;
        Picture expected;
    } cases[] = {
        {RGB(0, 0, 0), 0, {".#.#", "...#"}},
        {RGB(10, 10, 10), 0, {"###.", "####"}},  // one step off stays
        {RGB(10, 10, 10), RGB(1, 0, 0), {"###.", "###."}},
        {RGB(0, 0, 0), RGB(11, 10, 10), {".#..", "...."}},
        {RGB(200, 0, 0), RGB(255, 255, 255), {"#.##", "####"}},  // bounds capped at 255
        {RGB(0, 0, 0), RGB(255, 255, 255), {"....", "...."}},
    };
    for (const Case& c : cases) {
        HRGN region = keyed.BitmapToRegion(c.key, c.tolerance);
        ASSERT_NE(region, nullptr) << "an empty region, not none";
        EXPECT_EQ(RegionPicture(region, 4, 2), c.expected);
        ::DeleteObject(region);
    }
}

TEST_F(SkinBitmap, ManyRunsGiveTheSameRegionAsOneBatch) {
    // 101 x 50 of alternating pixels: 51 runs a row, 2550 in all.
    Picture p(50, std::string(101, '.'));
    for (std::string& row : p)
        for (size_t x = 0; x < row.size(); x += 2)
            row[x] = 'r';
    AddResource(61010, p);
    CSkinBitmap many;
    ASSERT_TRUE(many.LoadBitmap(61010));
    HRGN region = many.BitmapToRegion(RGB(0, 0, 0), 0);
    HRGN expected = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 101; x += 2) {
            HRGN run = ::CreateRectRgn(x, y, x + 1, y + 1);
            ::CombineRgn(expected, expected, run, RGN_OR);
            ::DeleteObject(run);
        }
    EXPECT_TRUE(::EqualRgn(region, expected));
    ::DeleteObject(region);
    ::DeleteObject(expected);
}

TEST_F(SkinBitmap, ExtractCellCutsOneCellOfTheGrid) {
    CSkinBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(kStrip));
    CSkinBitmap cell;
    ASSERT_TRUE(strip.ExtractCell(&cell, 2, 1, 2, 1));
    EXPECT_EQ(Read(cell), (Picture{"gb", "gb"})) << "the odd last column is left out";
    ASSERT_TRUE(strip.ExtractCell(&cell, 1, 2, 2, 2));
    EXPECT_EQ(Read(cell), (Picture{"rr"}));
    for (auto [columns, rows] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{6, 1}})
        EXPECT_FALSE(strip.ExtractCell(&cell, 1, 1, columns, rows)) << columns << "x" << rows;
}

TEST_F(SkinBitmap, NineSliceKeepsCornersAndStretchesTheMiddle) {
    CSkinBitmap frame;
    ASSERT_TRUE(frame.LoadBitmap(kFrame));
    struct Case {
        CRect rect;
        int cw;
        int ch;
        Picture expected;
    } cases[] = {
        {{0, 0, 3, 3}, 1, 1, {"rgb", "gwy", "byr"}},
        {{0, 0, 5, 4}, 1, 1, {"rgggb", "gwwwy", "gwwwy", "byyyr"}},
        {{0, 0, 2, 2}, 1, 1, {"wy", "yr"}},  // the right and bottom blocks win
        {{0, 0, 5, 3}, 1, 0, {"rgggb", "gwwwy", "byyyr"}},
        {{0, 0, 3, 5}, 0, 1, {"rgb", "gwy", "gwy", "gwy", "byr"}},
        {{0, 0, 6, 3}, 0, 0, {"rrggbb", "ggwwyy", "bbyyrr"}},
    };
    for (const Case& c : cases) {
        CSkinBitmap out;
        ASSERT_TRUE(frame.MakeNineSlice(&out, c.rect, c.cw, c.ch));
        EXPECT_EQ(Read(out), c.expected) << c.rect.Width() << "x" << c.rect.Height();
    }
}

TEST_F(SkinBitmap, ThreeSliceEndBlocksAreCroppedNotScaled) {
    CSkinBitmap frame;
    ASSERT_TRUE(frame.LoadBitmap(kFrame));
    CSkinBitmap out;
    ASSERT_TRUE(frame.MakeNineSlice(&out, CRect(0, 0, 4, 2), 1, 0));
    const Picture p = Read(out);
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(std::string() + p[size_t(y)][0] + p[size_t(y)].substr(2),
                  (Picture{"rgb", "gwy"}[size_t(y)]));
}

TEST_F(SkinBitmap, DrawingLandsExactlyInTheRectangle) {
    CSkinBitmap frame;
    ASSERT_TRUE(frame.LoadBitmap(kFrame));
    Canvas canvas(6, 5, 'k');
    EXPECT_TRUE(frame.DrawNineSlice(canvas.Dc(), CRect(2, 1, 6, 4), 1, 1));
    EXPECT_EQ(canvas.Read(), (Picture{"kkkkkk", "kkrggb", "kkgwwy", "kkbyyr", "kkkkkk"}));

    Canvas transparent(3, 3, 'k');
    frame.DrawTransparent(transparent.Dc(), CRect(0, 0, 3, 3), RGB(255, 255, 255));
    EXPECT_EQ(transparent.Read(), (Picture{"rgb", "gky", "byr"}));

    Canvas part(2, 1, 'k');
    const CRect destination(0, 0, 2, 1);
    const CRect source(1, 1, 3, 2);
    EXPECT_TRUE(frame.StretchPart(part.Dc(), &destination, &source));
    EXPECT_EQ(part.Dc()->GetStretchBltMode(), COLORONCOLOR);
    EXPECT_EQ(part.Read(), (Picture{"wy"}));
    EXPECT_FALSE(frame.StretchPart(part.Dc(), nullptr, &source));
}
