#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "Canvas.h"

namespace {

const Legend kColours = {{'.', RGB(255, 255, 255)}, {'k', RGB(0, 0, 0)}, {'r', RGB(255, 0, 0)}};

struct CombineCase {
    int mode;
    int kind;
    std::function<bool(bool, bool)> truth;
};

TEST(Regions, CombineMatchesSetOperationsPixelByPixel) {
    const CombineCase cases[] = {
        {RGN_OR, COMPLEXREGION, [](bool a, bool b) { return a || b; }},
        {RGN_AND, SIMPLEREGION, [](bool a, bool b) { return a && b; }},
        {RGN_DIFF, COMPLEXREGION, [](bool a, bool b) { return a && !b; }},
        {RGN_XOR, COMPLEXREGION, [](bool a, bool b) { return a != b; }},
        {RGN_COPY, SIMPLEREGION, [](bool a, bool) { return a; }},
    };
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 2, 6, 6);
    for (const CombineCase& c : cases) {
        HRGN out = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.kind) << c.mode;
        for (int y = -1; y < 8; ++y) {
            for (int x = -1; x < 8; ++x) {
                bool inA = x >= 0 && x < 4 && y >= 0 && y < 4;
                bool inB = x >= 2 && x < 6 && y >= 2 && y < 6;
                EXPECT_EQ(PtInRegion(out, x, y) != 0, c.truth(inA, inB))
                    << "mode " << c.mode << " at " << x << "," << y;
            }
        }
        DeleteObject(out);
    }
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    HRGN far = CreateRectRgn(10, 10, 12, 12);
    EXPECT_EQ(CombineRgn(empty, a, far, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);  // destination may be a source
    EXPECT_TRUE(PtInRegion(a, 5, 5));
    for (HRGN r : {a, b, empty, far})
        DeleteObject(r);
}

TEST(Regions, DataRoundTripAndBox) {
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 2, 6, 6);
    CombineRgn(a, a, b, RGN_OR);
    DWORD size = GetRegionData(a, 0, nullptr);
    ASSERT_EQ(size, sizeof(RGNDATAHEADER) + 3 * sizeof(RECT));
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(a, size - 1, data), 0u);
    ASSERT_EQ(GetRegionData(a, size, data), size);
    EXPECT_EQ(data->rdh.nCount, 3u);
    EXPECT_EQ(data->rdh.iType, RDH_RECTANGLES);
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    const RECT expected[] = {{0, 0, 4, 2}, {0, 2, 6, 4}, {2, 4, 6, 6}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].left, expected[i].left) << i;
        EXPECT_EQ(rects[i].top, expected[i].top) << i;
        EXPECT_EQ(rects[i].right, expected[i].right) << i;
        EXPECT_EQ(rects[i].bottom, expected[i].bottom) << i;
    }
    EXPECT_EQ(ExtCreateRegion(nullptr, size - 1, data), nullptr);  // rectangles cut off
    data->rdh.dwSize = size + 16;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);  // a header beyond the data
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    HRGN copy = ExtCreateRegion(nullptr, size, data);
    EXPECT_TRUE(EqualRgn(copy, a));
    RECT box{};
    EXPECT_EQ(OffsetRgn(copy, 10, -1), COMPLEXREGION);
    EXPECT_EQ(GetRgnBox(copy, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, -1);
    EXPECT_EQ(box.right, 16);
    EXPECT_EQ(box.bottom, 5);
    for (HRGN r : {a, b, copy})
        DeleteObject(r);
}

// Rectangles for runs of pixels: every other pixel of `rows` rows.
std::vector<char> RunsData(int first, int count, int width) {
    std::vector<RECT> rects;
    for (int i = first; i < first + count; ++i) {
        int y = i / width, x = (i % width);
        rects.push_back({x * 2, y, x * 2 + 1, y + 1});
    }
    std::vector<char> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(rects.size()), 0, {0, 0, 0, 0}};
    if (!rects.empty())
        std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return buffer;
}

TEST(Regions, RectangleBatchesGiveTheSameRegionAsOneList) {
    constexpr int kRuns = 4500, kWidth = 50;
    std::vector<char> all = RunsData(0, kRuns, kWidth);
    HRGN whole =
        ExtCreateRegion(nullptr, DWORD(all.size()), reinterpret_cast<RGNDATA*>(all.data()));
    HRGN batched = nullptr;
    for (int first = 0; first < kRuns; first += 2000) {
        std::vector<char> part = RunsData(first, std::min(2000, kRuns - first), kWidth);
        HRGN piece =
            ExtCreateRegion(nullptr, DWORD(part.size()), reinterpret_cast<RGNDATA*>(part.data()));
        if (!batched) {
            batched = piece;
        } else {
            CombineRgn(batched, batched, piece, RGN_OR);
            DeleteObject(piece);
        }
    }
    EXPECT_TRUE(EqualRgn(whole, batched));
    EXPECT_TRUE(PtInRegion(whole, 0, 0));
    EXPECT_FALSE(PtInRegion(whole, 1, 0));
    EXPECT_TRUE(PtInRegion(whole, 98, 89));
    EXPECT_FALSE(PtInRegion(whole, 0, 90));
    std::vector<char> none = RunsData(0, 0, kWidth);
    HRGN empty =
        ExtCreateRegion(nullptr, DWORD(none.size()), reinterpret_cast<RGNDATA*>(none.data()));
    ASSERT_NE(empty, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    for (HRGN r : {whole, batched, empty})
        DeleteObject(r);
}

TEST(Regions, ShapesHoldThePixelsWhoseCentresAreInside) {
    HRGN ellipse = CreateEllipticRgn(0, 0, 7, 7);
    EXPECT_TRUE(PtInRegion(ellipse, 3, 3));
    EXPECT_TRUE(PtInRegion(ellipse, 0, 3));
    EXPECT_TRUE(PtInRegion(ellipse, 6, 3));
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    EXPECT_FALSE(PtInRegion(ellipse, 7, 3));
    HRGN round = CreateRoundRectRgn(0, 0, 8, 5, 4, 4);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_TRUE(PtInRegion(round, 1, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 1));
    // A five-pointed star: its centre is inside by winding, outside by parity.
    const POINT star[] = {{5, 0}, {8, 10}, {0, 4}, {10, 4}, {2, 10}};
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    EXPECT_FALSE(PtInRegion(alternate, 5, 5));
    EXPECT_TRUE(PtInRegion(winding, 5, 5));
    EXPECT_TRUE(PtInRegion(alternate, 5, 2));
    for (HRGN r : {ellipse, round, alternate, winding})
        DeleteObject(r);
}

TEST(Regions, FillFrameAndClip) {
    Canvas canvas(6, 6);
    HRGN region = CreateRectRgn(1, 1, 5, 5);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    EXPECT_TRUE(FillRgn(canvas.dc(), region, red));
    EXPECT_TRUE(
        FrameRgn(canvas.dc(), region, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1));
    EXPECT_TRUE(canvas.Matches({"......", ".kkkk.", ".krrk.", ".krrk.", ".kkkk.", "......"},
                               kColours, "fill-frame-rgn"));

    canvas.Fill(RGB(255, 255, 255));
    int saved = SaveDC(canvas.dc());
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 0, 0, 4, 4), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.dc(), 1, 1, 3, 3), COMPLEXREGION);
    RECT all{0, 0, 6, 6};
    FillRect(canvas.dc(), &all, red);
    EXPECT_TRUE(canvas.Matches({"rrrr..", "r..r..", "r..r..", "rrrr..", "......", "......"},
                               kColours, "clip-rects"));
    EXPECT_TRUE(RestoreDC(canvas.dc(), saved));
    FillRect(canvas.dc(), &all, red);
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 0, 0));
    HRGN got = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc(), got), 0);
    DeleteObject(got);
    DeleteObject(region);
    DeleteObject(red);
}

TEST(Regions, OffsetSaturatesAtTheEndOfTheCoordinates) {
    HRGN r = CreateRectRgn(INT32_MAX - 4, 0, INT32_MAX, 2);
    EXPECT_EQ(OffsetRgn(r, 2, 0), SIMPLEREGION);
    RECT box{};
    GetRgnBox(r, &box);
    EXPECT_EQ(box.left, INT32_MAX - 2);
    EXPECT_EQ(box.right, INT32_MAX);
    EXPECT_EQ(OffsetRgn(r, 10, 0), NULLREGION);
    DeleteObject(r);
}

TEST(Regions, StaleHandlesFail) {
    HRGN r = CreateRectRgn(0, 0, 1, 1);
    DeleteObject(r);
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), RGN_ERROR);
    EXPECT_EQ(CombineRgn(r, r, r, RGN_OR), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_EQ(GetRegionData(r, 0, nullptr), 0u);
    EXPECT_EQ(OffsetRgn(r, 1, 1), RGN_ERROR);
}

}  // namespace
