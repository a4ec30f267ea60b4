// Images named by a text: resources, checked handles, strips and animation.
#include <gtest/gtest.h>

#include <vector>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "platform/user/Resources.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

constexpr UINT kStripId = 4711;
constexpr UINT kStringId = 4712;
constexpr uint32_t kCells[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};  // 0x00RRGGBB

class HtmlImages : public ::testing::Test {
protected:
    HtmlImages() : canvas_(48, 24) {
        // A 4 x 1 strip of 8 x 8 cells, one colour each.
        std::vector<uint32_t> pixels(32 * 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 32; ++x)
                pixels[size_t(y * 32 + x)] = kCells[x / 8];
        AddBitmapResource(kStripId, 32, 8, pixels.data());
        AddStringResource(kStringId, L"ab");
        drawer_.SetStyleSheet(L"body {font-family:Box; font-size:16px}");
    }

    SIZE MeasureAndDraw(const CString& text) {
        SIZE size{-1, -1};
        drawer_.Measure(canvas_.dc(), text, &size);
        Redraw();
        return size;
    }
    void Redraw() {
        canvas_.Fill(RGB(255, 255, 255));
        RECT area{0, 0, 48, 24};
        drawer_.Draw(canvas_.dc(), &area);
    }
    static COLORREF Cell(int i) {
        return RGB(BYTE(kCells[i] >> 16), BYTE(kCells[i] >> 8), BYTE(kCells[i]));
    }

    Canvas canvas_;
    CQoHtmlDrawer drawer_;
};

TEST_F(HtmlImages, BitmapResourceSitsOnTheBaseline) {
    const SIZE size = MeasureAndDraw(L"<bmp idres=4711>a");
    EXPECT_EQ(size.cx, 32 + 8 + 1);
    EXPECT_EQ(size.cy, 12 + 4 + 1);  // the image (8) is lower than the text's ascent
    EXPECT_EQ(canvas_.At(0, 4), Cell(0));
    EXPECT_EQ(canvas_.At(31, 11), Cell(3));
    EXPECT_EQ(canvas_.At(0, 3), RGB(255, 255, 255));
    EXPECT_EQ(canvas_.At(33, 2), RGB(0, 0, 0));
}

TEST_F(HtmlImages, OnlyLiveBitmapHandlesOfOurTableAreDrawn) {
    HBITMAP bitmap = LoadBitmap(nullptr, reinterpret_cast<const wchar_t*>(uintptr_t(kStripId)));
    ASSERT_NE(bitmap, nullptr);
    CString text;
    text.Format(L"<bmp handle=%llu width=50%%>", (unsigned long long)uintptr_t(bitmap));
    EXPECT_EQ(MeasureAndDraw(text).cx, 17);
    EXPECT_EQ(canvas_.At(9, 2), Cell(2));
    DeleteObject(bitmap);  // a stale handle: nothing
    EXPECT_EQ(MeasureAndDraw(text).cx, 0);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));  // not a bitmap: nothing
    text.Format(L"<bmp handle=%llu>", (unsigned long long)uintptr_t(brush));
    EXPECT_EQ(MeasureAndDraw(text).cx, 0);
    DeleteObject(brush);
    for (const wchar_t* named :
         {L"<bmp handle=12345678>", L"<bmp iddll=1 srcdll=evil.dll>", L"<bmp file=/etc/passwd>",
          L"<ilst iddll=4711 srcdll=x>", L"<string iddll=1 srcdll=evil.dll>"})
        EXPECT_EQ(MeasureAndDraw(named).cx, 0) << CString(named).Std().size();
}

TEST_F(HtmlImages, StripCellsAndAnimation) {
    EXPECT_EQ(MeasureAndDraw(L"<ilst idres=4711 index=2>").cx, 9);
    EXPECT_EQ(canvas_.At(4, 4), Cell(2));
    EXPECT_EQ(MeasureAndDraw(L"<ilst idres=4711 index=4>").cx, 0) << "no such cell";

    MeasureAndDraw(L"<ilst idres=4711 speed=2>");
    std::vector<COLORREF> shown;
    std::vector<BOOL> changed;
    for (int tick = 0; tick < 8; ++tick) {
        changed.push_back(drawer_.OnTimer());
        Redraw();
        shown.push_back(canvas_.At(4, 4));
    }
    EXPECT_EQ(changed, (std::vector<BOOL>{FALSE, TRUE, FALSE, TRUE, FALSE, TRUE, FALSE, TRUE}));
    EXPECT_EQ(shown, (std::vector<COLORREF>{Cell(0), Cell(1), Cell(1), Cell(2), Cell(2), Cell(3),
                                            Cell(3), Cell(0)}));
}

TEST_F(HtmlImages, StringResourceIsLaidOutAsText) {
    EXPECT_EQ(MeasureAndDraw(L"<string idres=4712>c").cx, 25);
    EXPECT_EQ(MeasureAndDraw(L"<string idres=9999>").cx, 0);
}

TEST_F(HtmlImages, ImageStyleLetters) {
    EXPECT_EQ(drawer_.ParseImageStyle(L"gdl"),
              UINT(IMAGE_EFFECT_GREY | IMAGE_EFFECT_DARKEN | IMAGE_EFFECT_LIGHTEN));
    EXPECT_EQ(drawer_.ParseImageStyle(L"s"), UINT(IMAGE_EFFECT_SOFT_SHADOW));
    drawer_.SetImageShadow(4, 4, 200, FALSE, 7, 7);
    EXPECT_EQ(drawer_.ParseImageStyle(L"sx"), UINT(IMAGE_EFFECT_SHADOW));
    drawer_.SetImageShadow(0, 0, 50, TRUE, 7, 7);
    EXPECT_EQ(drawer_.ParseImageStyle(L"s"), 0u);
}

}  // namespace
