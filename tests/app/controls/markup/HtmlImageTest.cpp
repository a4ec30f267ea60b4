// Images named by a text: resources, checked handles, strips and animation.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "platform/user/Icons.h"
#include "platform/user/Resources.h"
#include "tests/app/controls/draw/BmpBytes.h"
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

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kIconId = 4713;

// An 8 x 8 blue icon whose top-left pixel is transparent.
class HtmlIcons : public HtmlImages {
protected:
    HtmlIcons() {
        const std::vector<uint32_t> blue(64, 0x0000FF);
        HBITMAP colour = CreateBitmap(8, 8, 1, 32, blue.data());
        BYTE maskBits[16] = {0x80};  // rows of two bytes; 1 where transparent
        HBITMAP mask = CreateBitmap(8, 8, 1, 1, maskBits);
        ICONINFO info{TRUE, 0, 0, mask, colour};
        icon_ = CreateIconIndirect(&info);
        DeleteObject(colour);
        DeleteObject(mask);
        AddIconResource(kIconId, icon_);
    }
    ~HtmlIcons() override { DestroyIcon(icon_); }
    CString WithHandle(const wchar_t* format, const void* handle) const {
        CString text;
        text.Format(format, (unsigned long long)uintptr_t(handle));
        return text;
    }

    HICON icon_ = nullptr;
};

TEST_F(HtmlIcons, AHandleIsDrawnAtItsOwnSizeThroughItsMask) {
    ASSERT_NE(icon_, nullptr);
    const SIZE size = MeasureAndDraw(WithHandle(L"<icon handle=%llu>", icon_));
    EXPECT_EQ(size.cx, 8 + 1);
    EXPECT_EQ(size.cy, 8 + 1);
    EXPECT_EQ(canvas_.At(0, 0), kWhite) << "the transparent pixel";
    EXPECT_EQ(canvas_.At(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas_.At(7, 7), RGB(0, 0, 255));
    EXPECT_EQ(canvas_.At(8, 7), kWhite);
}

TEST_F(HtmlIcons, SizesScaleTheIconsOwnOrTheSystemsIconSize) {
    struct Case {
        CString text;
        LONG cx, cy;
    } cases[] = {
        {WithHandle(L"<icon handle=%llu width=200%% height=50%%>", icon_), 16 + 1, 4 + 1},
        {WithHandle(L"<icon handle=%llu width=3 height=5>", icon_), 3 + 1, 5 + 1},
        {L"<icon idres=4713>", GetSystemMetrics(SM_CXICON) + 1, GetSystemMetrics(SM_CYICON) + 1},
        {L"<icon idres=4713 width=25% height=25%>", GetSystemMetrics(SM_CXICON) / 4 + 1,
         GetSystemMetrics(SM_CYICON) / 4 + 1},
    };
    for (const Case& c : cases) {
        const SIZE size = MeasureAndDraw(c.text);
        EXPECT_EQ(size.cx, c.cx) << c.text.Std().size();
        EXPECT_EQ(size.cy, c.cy) << c.text.Std().size();
        const POINT last{int(c.cx) - 2, std::min(int(c.cy) - 2, canvas_.height() - 1)};
        EXPECT_EQ(canvas_.At(last.x, last.y), RGB(0, 0, 255)) << c.text.Std().size();
    }
}

TEST_F(HtmlIcons, EffectsApplyToIcons) {
    MeasureAndDraw(WithHandle(L"<icon handle=%llu style=g>", icon_));
    const COLORREF grey = canvas_.At(4, 4);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_NE(grey, kWhite);
    EXPECT_EQ(canvas_.At(0, 0), kWhite) << "the mask still applies";
}

TEST_F(HtmlIcons, OnlyTheProgramsIconsAndLiveIconHandlesAreDrawn) {
    HBITMAP bitmap = LoadBitmap(nullptr, reinterpret_cast<const wchar_t*>(uintptr_t(kStripId)));
    const CString notAnIcon = WithHandle(L"<icon handle=%llu>", bitmap);
    HICON stale = CopyIcon(icon_);
    const CString staleIcon = WithHandle(L"<icon handle=%llu>", stale);
    DestroyIcon(stale);
    for (const CString& text :
         {notAnIcon, staleIcon, CString(L"<icon idres=9999>"),
          CString(L"<icon iddll=4713 srcdll=evil.dll>"), CString(L"<icon file=/etc/passwd>")}) {
        EXPECT_EQ(MeasureAndDraw(text).cx, 0) << text.Std().size();
        EXPECT_EQ(canvas_.At(2, 2), kWhite);
    }
    DeleteObject(bitmap);
}

// Bitmap files, for images and table backgrounds; a file the reader refuses
// draws nothing and the layout goes on.
class HtmlFileImages : public HtmlImages {
protected:
    HtmlFileImages() {
        char pattern[] = "/tmp/markup images-XXXXXX";
        EXPECT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        bmp_bytes::Write(dir_ + "/tile.bmp",
                         bmp_bytes::TrueColour(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456}));
        std::vector<uint8_t> broken = bmp_bytes::TrueColour(2, 2, {0, 0, 0, 0});
        broken.resize(broken.size() - 1);
        bmp_bytes::Write(dir_ + "/broken.bmp", broken);
    }
    ~HtmlFileImages() override { std::filesystem::remove_all(dir_); }
    CString Path(const char* name) const {
        const std::string path = dir_ + "/" + name;
        return CString(std::wstring(path.begin(), path.end()).c_str());
    }

    std::string dir_;
};

TEST_F(HtmlFileImages, AnImageFileIsDrawnAtItsSizeOrScaled) {
    EXPECT_EQ(MeasureAndDraw(L"<bmp file=\"" + Path("tile.bmp") + L"\">").cx, 2 + 1);
    EXPECT_EQ(canvas_.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas_.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas_.At(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas_.At(1, 1), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(canvas_.At(2, 0), kWhite);
    EXPECT_EQ(MeasureAndDraw(L"<bmp file=\"" + Path("tile.bmp") + L"\" width=200%>").cx, 4 + 1);
    EXPECT_EQ(canvas_.At(3, 0), RGB(0, 255, 0));
}

TEST_F(HtmlFileImages, AMalformedOrMissingFileDrawsNothing) {
    for (const char* name : {"broken.bmp", "missing.bmp", ""}) {
        const SIZE size = MeasureAndDraw(L"a<bmp file=\"" + Path(name) + L"\">");
        EXPECT_EQ(size.cx, 8 + 1) << name << ": only the text";
        EXPECT_EQ(canvas_.At(8, 10), kWhite) << name << ": where the image would sit";
    }
}

TEST_F(HtmlFileImages, ATableBackgroundFileIsTiled) {
    const CString table = L"<table cellspacing=0 cellpadding=0 background=\"file:" +
                          Path("tile.bmp") + L"\"><tr><td width=4 height=4></td></tr></table>";
    MeasureAndDraw(table);
    EXPECT_EQ(canvas_.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas_.At(2, 0), RGB(255, 0, 0)) << "the tile repeats";
    EXPECT_EQ(canvas_.At(3, 3), RGB(0x12, 0x34, 0x56));
    const CString broken = L"<table cellspacing=0 cellpadding=0 background=\"file:" +
                           Path("broken.bmp") + L"\"><tr><td width=4 height=4></td></tr></table>";
    MeasureAndDraw(broken);
    EXPECT_EQ(canvas_.At(0, 0), kWhite);
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
