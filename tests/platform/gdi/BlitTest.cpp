#include <gtest/gtest.h>

#include "Canvas.h"

namespace {

const Legend kColours = {{'.', RGB(255, 255, 255)}, {'k', RGB(0, 0, 0)},    {'r', RGB(255, 0, 0)},
                         {'g', RGB(0, 255, 0)},     {'b', RGB(0, 0, 255)},  {'y', RGB(255, 255, 0)},
                         {'c', RGB(0, 255, 255)},   {'m', RGB(255, 0, 255)}};

// A 4 x 2 source: red green blue black / white yellow cyan magenta.
const Picture kSource = {"rgbk", ".ycm"};

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF destination;
    Picture expected;
};

TEST(Blit, RasterOperationsCombineSourceDestinationAndBrush) {
    const RopCase cases[] = {
        {"srccopy", SRCCOPY, RGB(0, 0, 255), {"rgbk", ".ycm"}},
        {"srcand", SRCAND, RGB(255, 0, 255), {"rkbk", "mrbm"}},
        {"srcpaint", SRCPAINT, RGB(0, 0, 255), {"mcbb", "..cm"}},
        {"srcinvert", SRCINVERT, RGB(255, 255, 255), {"cmy.", "kbrg"}},
        {"notsrccopy", NOTSRCCOPY, RGB(0, 0, 0), {"cmy.", "kbrg"}},
        {"srcerase", SRCERASE, RGB(0, 0, 0), {"rgbk", ".ycm"}},
        {"mergecopy", MERGECOPY, RGB(0, 0, 0), {"rkkk", "rrkr"}},
        {"patpaint", PATPAINT, RGB(0, 0, 0), {".my.", "rmry"}},
        {"dstinvert", DSTINVERT, RGB(255, 0, 0), {"cccc", "cccc"}},
        {"blackness", BLACKNESS, RGB(255, 0, 0), {"kkkk", "kkkk"}},
        {"whiteness", WHITENESS, RGB(255, 0, 0), {"....", "...."}},
        {"patcopy", PATCOPY, RGB(0, 0, 0), {"rrrr", "rrrr"}},
        {"patinvert", PATINVERT, RGB(255, 255, 0), {"gggg", "gggg"}},
    };
    Canvas src(4, 2);
    src.Paint(kSource, kColours);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    for (const RopCase& c : cases) {
        Canvas dst(4, 2, c.destination);
        HGDIOBJ old = SelectObject(dst.dc(), red);
        EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 0, c.rop));
        EXPECT_TRUE(dst.Matches(c.expected, kColours, std::string("rop-") + c.name));
        SelectObject(dst.dc(), old);
    }
    DeleteObject(red);
}

TEST(Blit, CopyKeepsTheAlphaByteAndOtherOperationsClearIt) {
    Canvas src(1, 1), dst(2, 1);
    SetPixel(src.dc(), 0, 0, RGB(1, 2, 3));
    src.Bits()[0] |= 0x80000000u;
    BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, SRCCOPY);
    BitBlt(dst.dc(), 1, 0, 1, 1, src.dc(), 0, 0, SRCAND);
    EXPECT_EQ(dst.Word(0, 0), 0x80010203u);
    EXPECT_EQ(dst.Word(1, 0), 0x00010203u);
}

TEST(Blit, OffsetsAndEdgesOfTheSource) {
    Canvas src(4, 2), dst(5, 3, RGB(0, 0, 0));
    src.Paint(kSource, kColours);
    // Source pixels beyond the bitmap leave the destination alone.
    BitBlt(dst.dc(), 1, 1, 4, 2, src.dc(), 2, 1, SRCCOPY);
    EXPECT_TRUE(dst.Matches({"kkkkk", "kcmkk", "kkkkk"}, kColours, "blit-offsets"));
}

TEST(Blit, OverlappingCopyWithinOneBitmap) {
    Canvas canvas(4, 2);
    canvas.Paint(kSource, kColours);
    BitBlt(canvas.dc(), 1, 0, 3, 2, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_TRUE(canvas.Matches({"rrgb", "..yc"}, kColours, "blit-overlap-right"));
    Canvas tall(2, 3);
    tall.Paint({"rg", "bk", ".."}, kColours);
    BitBlt(tall.dc(), 0, 1, 2, 2, tall.dc(), 0, 0, SRCCOPY);
    EXPECT_TRUE(tall.Matches({"rg", "rg", "bk"}, kColours, "blit-overlap-down"));
}

TEST(StretchBlt, NearestNeighbourAndMirroring) {
    Canvas src(4, 2);
    src.Paint(kSource, kColours);
    struct Case {
        const char* name;
        int x, y, w, h, sx, sy, sw, sh;
        int width, height;
        Picture expected;
    };
    const Case cases[] = {
        {"double", 0, 0, 8, 4, 0, 0, 4, 2, 8, 4, {"rrggbbkk", "rrggbbkk", "..yyccmm", "..yyccmm"}},
        {"halve", 0, 0, 2, 1, 0, 0, 4, 2, 2, 1, {"rb"}},
        {"mirror-dest", 3, 0, -4, 2, 0, 0, 4, 2, 4, 2, {"kbgr", "mcy."}},
        {"mirror-source", 0, 0, 4, 2, 3, 0, -4, 2, 4, 2, {"kbgr", "mcy."}},
        {"flip", 0, 1, 4, -2, 0, 0, 4, 2, 4, 2, {".ycm", "rgbk"}},
        {"both-negative", 3, 0, -4, 2, 3, 0, -4, 2, 4, 2, {"rgbk", ".ycm"}},
        {"one-column", 0, 0, 3, 2, 1, 0, 1, 2, 3, 2, {"ggg", "yyy"}},
    };
    for (const Case& c : cases) {
        Canvas dst(c.width, c.height, RGB(0, 255, 0));
        SetStretchBltMode(dst.dc(), COLORONCOLOR);
        EXPECT_TRUE(
            StretchBlt(dst.dc(), c.x, c.y, c.w, c.h, src.dc(), c.sx, c.sy, c.sw, c.sh, SRCCOPY));
        EXPECT_TRUE(dst.Matches(c.expected, kColours, std::string("stretch-") + c.name));
    }
}

TEST(StretchBlt, ShrinkingCombinesByTheStretchMode) {
    // Two by two source pixels for each destination pixel.
    Canvas src(4, 2);
    src.Paint({"rgbk", "y.mc"}, kColours);
    struct Case {
        int mode;
        COLORREF left, right;
    };
    const Case cases[] = {
        {COLORONCOLOR, RGB(255, 0, 0), RGB(0, 0, 255)},
        {BLACKONWHITE, RGB(0, 0, 0), RGB(0, 0, 0)},  // r & g & y & white
        {WHITEONBLACK, RGB(255, 255, 255), RGB(255, 255, 255)},
        {HALFTONE, RGB(191, 191, 64), RGB(64, 64, 191)},
    };
    for (const Case& c : cases) {
        Canvas dst(2, 1);
        SetStretchBltMode(dst.dc(), c.mode);
        EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 2, SRCCOPY));
        EXPECT_EQ(dst.At(0, 0), c.left) << c.mode;
        EXPECT_EQ(dst.At(1, 0), c.right) << c.mode;
    }
    // Mirrored, the right half lands on the left.
    Canvas mirrored(2, 1);
    SetStretchBltMode(mirrored.dc(), HALFTONE);
    StretchBlt(mirrored.dc(), 1, 0, -2, 1, src.dc(), 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(mirrored.At(0, 0), RGB(64, 64, 191));
}

TEST(TransparentBlt, LeavesOutTheKeyColourAlsoWhenStretching) {
    Canvas src(2, 2), dst(4, 4, RGB(0, 0, 255));
    src.Paint({"rm", "mg"}, kColours);
    EXPECT_TRUE(TransparentBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, RGB(255, 0, 255)));
    EXPECT_TRUE(dst.Matches({"rrbb", "rrbb", "bbgg", "bbgg"}, kColours, "transparent-stretch"));
    EXPECT_FALSE(TransparentBlt(dst.dc(), 0, 0, -4, 4, src.dc(), 0, 0, 2, 2, 0));
}

TEST(AlphaBlend, ConstantAndPerPixelAlpha) {
    Canvas src(2, 1), dst(2, 1, RGB(0, 0, 0));
    uint32_t* s = src.Bits();
    s[0] = 0x00C8C8C8;  // constant blend of a grey
    s[1] = 0x80800000;  // premultiplied red at half coverage
    BLENDFUNCTION constant{AC_SRC_OVER, 0, 128, 0};
    EXPECT_TRUE(AlphaBlend(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 1, 1, constant));
    // 200 * 128 / 255 rounds to 100.
    EXPECT_EQ(dst.At(0, 0), RGB(100, 100, 100));
    dst.Fill(RGB(0, 0, 200));
    BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(AlphaBlend(dst.dc(), 1, 0, 1, 1, src.dc(), 1, 0, 1, 1, perPixel));
    // red 128 + 0; blue 200 * 127 / 255 = 100 (rounded).
    EXPECT_EQ(dst.At(1, 0), RGB(128, 0, 100));
    EXPECT_EQ(dst.At(0, 0), RGB(0, 0, 200));
}

TEST(Blit, MonochromeConversionsUseTheContextColours) {
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, 3, 1);
    BITMAP bm{};
    ASSERT_EQ(GetObject(mono, sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(monoDc, mono);

    // Colour to mono: the source's background colour becomes 1 (white).
    Canvas colour(3, 1);
    colour.Paint({"rg."}, kColours);
    SetBkColor(colour.dc(), RGB(0, 255, 0));
    BitBlt(monoDc, 0, 0, 3, 1, colour.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(monoDc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(monoDc, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(monoDc, 2, 0), RGB(0, 0, 0));

    // Mono to colour: 0 bits take the text colour, 1 bits the background.
    Canvas out(3, 1);
    SetTextColor(out.dc(), RGB(255, 0, 0));
    SetBkColor(out.dc(), RGB(0, 0, 255));
    BitBlt(out.dc(), 0, 0, 3, 1, monoDc, 0, 0, SRCCOPY);
    EXPECT_TRUE(out.Matches({"rbr"}, kColours, "mono-to-colour"));

    SelectObject(monoDc, old);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

TEST(Blit, ClippedByTheSelectedRegion) {
    Canvas src(4, 4, RGB(255, 0, 0)), dst(4, 4);
    HRGN clip = CreateRectRgn(1, 1, 3, 3);
    HRGN corner = CreateRectRgn(0, 0, 1, 1);
    CombineRgn(clip, clip, corner, RGN_OR);
    EXPECT_EQ(SelectClipRgn(dst.dc(), clip), COMPLEXREGION);
    BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, SRCCOPY);
    EXPECT_TRUE(dst.Matches({"r...", ".rr.", ".rr.", "...."}, kColours, "blit-clip"));
    EXPECT_EQ(GetPixel(dst.dc(), 3, 3), CLR_INVALID);
    SelectClipRgn(dst.dc(), nullptr);
    EXPECT_EQ(GetPixel(dst.dc(), 3, 3), RGB(255, 255, 255));
    DeleteObject(clip);
    DeleteObject(corner);
}

TEST(Blit, BufferContextAddsOriginAndVisibleRegion) {
    std::vector<uint32_t> pixels(6 * 4, 0x00FFFFFF);
    PixelBuffer buffer{pixels.data(), 6, 6, 4};
    HRGN visible = CreateRectRgn(2, 1, 5, 3);
    HDC dc = CreateBufferDC(buffer, {2, 1}, visible);
    ASSERT_NE(dc, nullptr);
    RECT all{-10, -10, 10, 10};
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(dc, &all, black);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(pixels[size_t(y * 6 + x)], inside ? 0u : 0x00FFFFFFu) << x << "," << y;
        }
    }
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(pixels[1 * 6 + 2], 0x00FF0000u);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 2);
    // A selected clip is in the context's own coordinates.
    HRGN clip = CreateRectRgn(2, 1, 10, 10);
    const auto simple = reinterpret_cast<HGDIOBJ>(intptr_t(SIMPLEREGION));
    EXPECT_EQ(SelectObject(dc, clip), simple);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            bool painted = (x == 4 && y == 2) || (x == 2 && y == 1);  // (2, 1): SetPixel above
            EXPECT_EQ(pixels[size_t(y * 6 + x)] == 0x00FF0000u, painted) << x << "," << y;
        }
    }
    DeleteObject(clip);
    EXPECT_EQ(SelectObject(dc, clip), nullptr);
    DeleteObject(red);
    DeleteDC(dc);
    DeleteObject(visible);
}

struct DibCase {
    int bits;
    bool topDown;
};

TEST(Blit, ExtremeCoordinatesAreClippedOrRefused) {
    Canvas src(2, 2, RGB(255, 0, 0)), dst(4, 4);
    RECT huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_TRUE(FillRect(dst.dc(), &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_EQ(dst.At(3, 3), RGB(0, 0, 0));
    std::vector<uint32_t> pixels(4, 0);
    HDC moved = CreateBufferDC({pixels.data(), 2, 2, 2}, {1, 1}, nullptr);
    HRGN all = CreateRectRgn(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_TRUE(FillRgn(moved, all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
    DeleteObject(all);
    DeleteDC(moved);
    // A destination of 2^27 pixels maps only what the clip lets through.
    EXPECT_TRUE(StretchBlt(dst.dc(), -(1 << 26), 0, 1 << 27, 4, src.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(dst.At(0, 0), RGB(255, 0, 0));
    EXPECT_FALSE(BitBlt(dst.dc(), INT32_MAX, 0, INT32_MIN, 4, src.dc(), 0, 0, SRCCOPY));
    MoveToEx(dst.dc(), INT32_MIN, 1, nullptr);
    EXPECT_TRUE(LineTo(dst.dc(), INT32_MIN + 10, 1));
}

TEST(Blit, ViewportAndWindowOriginsMoveDrawingButNotTheClip) {
    Canvas src(2, 1), dst(6, 3);
    src.Paint({"rg"}, kColours);
    HRGN clip = CreateRectRgn(0, 0, 5, 3);
    SelectClipRgn(dst.dc(), clip);
    POINT old{9, 9};
    EXPECT_TRUE(SetViewportOrgEx(dst.dc(), 3, 1, &old));
    EXPECT_EQ(old.x, 0);
    EXPECT_TRUE(SetWindowOrgEx(dst.dc(), 1, 0, nullptr));
    // Logical (1, 0) is device (3, 1); the clip still ends at device x = 5.
    BitBlt(dst.dc(), 1, 0, 2, 1, src.dc(), 0, 0, SRCCOPY);
    SetPixel(dst.dc(), 3, 0, RGB(0, 0, 255));  // device (5, 1): clipped away
    EXPECT_TRUE(dst.Matches({"......", "...rg.", "......"}, kColours, "viewport"));
    RECT box{};
    GetClipBox(dst.dc(), &box);
    EXPECT_EQ(box.left, -2);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(IntersectClipRect(dst.dc(), 0, 0, 2, 1), SIMPLEREGION);  // device 2..4, 1..2
    GetClipBox(dst.dc(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 2);
    // As a source, the origins move what is read too.
    Canvas out(1, 1);
    BitBlt(out.dc(), 0, 0, 1, 1, dst.dc(), 2, 0, SRCCOPY);
    EXPECT_EQ(out.At(0, 0), RGB(0, 255, 0));
    EXPECT_TRUE(OffsetViewportOrgEx(dst.dc(), -3, -1, nullptr));
    POINT viewport{};
    GetViewportOrgEx(dst.dc(), &viewport);
    EXPECT_EQ(viewport.x, 0);
    DeleteObject(clip);
}

TEST(DibSection, AllFormatsRoundTripThroughBlits) {
    const DibCase cases[] = {{1, false},  {1, true},  {8, false},  {8, true},
                             {24, false}, {24, true}, {32, false}, {32, true}};
    Canvas src(4, 2);
    src.Paint({"k.k.", ".kk."}, kColours);
    for (const DibCase& c : cases) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[256];
        } info{};
        info.header = {sizeof(BITMAPINFOHEADER),
                       4,
                       c.topDown ? -2 : 2,
                       1,
                       WORD(c.bits),
                       BI_RGB,
                       0,
                       0,
                       0,
                       0,
                       0};
        info.colours[1] = {255, 255, 255, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP dib = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr) << c.bits;
        ASSERT_NE(bits, nullptr);
        HGDIOBJ old = SelectObject(dc, dib);
        BitBlt(dc, 0, 0, 4, 2, src.dc(), 0, 0, SRCCOPY);
        Canvas back(4, 2, RGB(255, 0, 0));
        BitBlt(back.dc(), 0, 0, 4, 2, dc, 0, 0, SRCCOPY);
        std::string name = "dib-" + std::to_string(c.bits) + (c.topDown ? "-topdown" : "");
        EXPECT_TRUE(back.Matches({"k.k.", ".kk."}, kColours, name));
        // The image's top-left pixel lies in the first or the last stored row.
        DIBSECTION ds{};
        ASSERT_EQ(GetObject(dib, sizeof ds, &ds), int(sizeof ds));
        auto* base = static_cast<uint8_t*>(ds.dsBm.bmBits);
        uint8_t* topRow = c.topDown ? base : base + ds.dsBm.bmWidthBytes;
        uint8_t* bottomRow = c.topDown ? base + ds.dsBm.bmWidthBytes : base;
        auto black = [&](const uint8_t* row) { return c.bits == 1 ? !(row[0] & 0x80) : !row[0]; };
        EXPECT_TRUE(black(topRow)) << name;
        EXPECT_FALSE(black(bottomRow)) << name;
        SelectObject(dc, old);
        DeleteObject(dib);
        DeleteDC(dc);
    }
}

TEST(DibSection, BitFieldsOnlyWithOurOwnMasks) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_BITFIELDS, 0, 0, 0, 0, 0},
           {0xFF0000, 0xFF00, 0xFF}};
    void* bits = nullptr;
    HBITMAP ok = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                  &bits, nullptr, 0);
    EXPECT_NE(ok, nullptr);
    EXPECT_NE(bits, nullptr);
    info.masks[0] = 0xFF;
    info.masks[2] = 0xFF0000;
    EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                               nullptr, 0),
              nullptr);
    EXPECT_EQ(bits, nullptr);
    DeleteObject(ok);
}

TEST(DibBits, GetAndSetInEitherRowOrder) {
    Canvas canvas(2, 2);
    canvas.Paint({"rg", "bk"}, kColours);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    uint8_t rows[2][8] = {};  // bottom-up, rows padded to 8 bytes
    EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, rows, &info, DIB_RGB_COLORS), 2);
    const uint8_t expected[2][6] = {{255, 0, 0, 0, 0, 0}, {0, 0, 255, 0, 255, 0}};
    for (int r = 0; r < 2; ++r) {
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(rows[r][i], expected[r][i]) << r << "," << i;
    }
    info.bmiHeader.biHeight = -2;  // top-down now: the same bytes turn the image upside down
    EXPECT_EQ(SetDIBits(canvas.dc(), canvas.bitmap(), 0, 2, rows, &info, DIB_RGB_COLORS), 2);
    EXPECT_TRUE(canvas.Matches({"bk", "rg"}, kColours, "setdibits-topdown"));
    Canvas out(2, 2);
    info.bmiHeader.biHeight = 2;
    EXPECT_EQ(StretchDIBits(out.dc(), 0, 0, 2, 2, 0, 0, 2, 2, rows, &info, DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_TRUE(out.Matches({"rg", "bk"}, kColours, "stretchdibits"));
}

}  // namespace
