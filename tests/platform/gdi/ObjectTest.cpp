#include <gtest/gtest.h>

#include "Canvas.h"

namespace {

TEST(Objects, StaleHandlesAreHarmlessFailures) {
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);
    LOGPEN lp{};
    EXPECT_EQ(GetObject(pen, sizeof lp, &lp), 0);
    Canvas canvas(2, 2);
    EXPECT_EQ(SelectObject(canvas.dc(), pen), nullptr);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_FALSE(LineTo(dc, 1, 1));
    EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(canvas.dc()));  // a context goes with DeleteDC only
}

TEST(Objects, ADeletedSelectedPenDrawsUntilDeselected) {
    Canvas canvas(3, 1);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(canvas.dc(), red);
    EXPECT_EQ(GetObjectType(old), OBJ_PEN);
    EXPECT_TRUE(DeleteObject(red));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 3, 0);
    EXPECT_EQ(canvas.At(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(canvas.dc(), old), nullptr);  // the deleted pen has no handle
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), old);
}

TEST(Objects, ABitmapLivesInOneContextAtATime) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 4, 4);
    HGDIOBJ defaultBitmap = SelectObject(a, bitmap);
    ASSERT_NE(defaultBitmap, nullptr);
    EXPECT_EQ(GetObjectType(defaultBitmap), OBJ_BITMAP);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);
    // A memory context holding a colour bitmap makes colour bitmaps.
    HBITMAP colour = CreateCompatibleBitmap(a, 2, 2);
    BITMAP bm{};
    GetObject(colour, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 8);
    EXPECT_EQ(bm.bmBits, nullptr);
    EXPECT_EQ(SelectObject(a, defaultBitmap), bitmap);
    EXPECT_NE(SelectObject(b, bitmap), nullptr);
    DeleteDC(b);  // frees the bitmap for others
    EXPECT_NE(SelectObject(a, bitmap), nullptr);
    DeleteDC(a);
    EXPECT_EQ(GetObjectType(defaultBitmap), 0u);
    DeleteObject(bitmap);
    DeleteObject(colour);
}

TEST(Objects, ADisplayContextMakesColourBitmapsAndDrawsNothing) {
    HDC display = CreateDisplayDC();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(GetObjectType(display), OBJ_DC);
    HBITMAP bitmap = CreateCompatibleBitmap(display, 2, 2);
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_TRUE(LineTo(display, 5, 5));
    EXPECT_EQ(GetPixel(display, 0, 0), CLR_INVALID);
    RECT box{};
    EXPECT_EQ(GetClipBox(display, &box), NULLREGION);
    EXPECT_TRUE(DeleteDC(display));
    DeleteObject(bitmap);
}

TEST(Objects, DeviceCapsOfA96DpiDisplay) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 1);  // the default monochrome bitmap
    HBITMAP colour = CreateCompatibleBitmap(nullptr, 1, 1);
    HGDIOBJ old = SelectObject(dc, colour);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(GetDeviceCaps(dc, 12345), 0);
    SelectObject(dc, old);
    DeleteObject(colour);
    DeleteDC(dc);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 0);
}

TEST(Objects, StockObjectsStay) {
    HGDIOBJ pen = GetStockObject(BLACK_PEN);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), OBJ_FONT);
    EXPECT_EQ(GetStockObject(9), nullptr);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(GetStockObject(GRAY_BRUSH), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, RGB(128, 128, 128));
    EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), OBJ_BRUSH);
}

TEST(Objects, DescriptionsAndSavedStates) {
    HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(GetObject(pen, sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_BOLD, 1, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    LOGFONTW lf{};
    EXPECT_EQ(GetObject(font, sizeof lf, &lf), int(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Arial");

    Canvas canvas(1, 1);
    HDC dc = canvas.dc();
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
    int first = SaveDC(dc);
    SetTextColor(dc, RGB(9, 9, 9));
    SelectObject(dc, pen);
    int second = SaveDC(dc);
    EXPECT_EQ(second, first + 1);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextColor(dc), RGB(9, 9, 9));
    EXPECT_TRUE(RestoreDC(dc, first));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_FALSE(RestoreDC(dc, first));  // that level is gone
    DeleteObject(pen);
    DeleteObject(font);
}

}  // namespace
