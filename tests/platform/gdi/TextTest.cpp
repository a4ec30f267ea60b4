#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Canvas.h"

namespace {

const Legend kColours = {{'.', RGB(255, 255, 255)},
                         {'k', RGB(0, 0, 0)},
                         {'b', RGB(0, 0, 255)},
                         {'w', RGB(255, 255, 255)}};

HFONT Font(int height, const wchar_t* face, int width = 0, int weight = FW_NORMAL,
           bool underline = false, bool strikeOut = false) {
    return CreateFontW(height, width, 0, 0, weight, 0, underline, strikeOut, DEFAULT_CHARSET, 0, 0,
                       0, 0, face);
}

// A canvas with a font selected, black text, transparent background.
class TextCanvas : public Canvas {
public:
    TextCanvas(int w, int h, HFONT font) : Canvas(w, h), font_(font) {
        old_ = SelectObject(dc(), font_);
        SetBkMode(dc(), TRANSPARENT);
    }
    ~TextCanvas() {
        SelectObject(dc(), old_);
        DeleteObject(font_);
    }

    // The bounds of the pixels that are not white.
    RECT InkBox() const {
        RECT box{width(), height(), 0, 0};
        for (int y = 0; y < height(); ++y) {
            for (int x = 0; x < width(); ++x) {
                if (At(x, y) == RGB(255, 255, 255))
                    continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
        return box;
    }

private:
    HFONT font_;
    HGDIOBJ old_;
};

void ExpectBox(const RECT& got, const RECT& want, const std::string& what) {
    EXPECT_EQ(got.left, want.left) << what;
    EXPECT_EQ(got.top, want.top) << what;
    EXPECT_EQ(got.right, want.right) << what;
    EXPECT_EQ(got.bottom, want.bottom) << what;
}

TEST(BoxFont, MetricsAndExtents) {
    TextCanvas canvas(4, 4, Font(-16, L"box"));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAscent, 12);
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32(canvas.dc(), L"abc d", 5, &size));
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 16);
    HFONT narrow = Font(10, L"Box", 3);
    HGDIOBJ old = SelectObject(canvas.dc(), narrow);
    GetTextExtentPoint32(canvas.dc(), L"ab", 2, &size);
    EXPECT_EQ(size.cx, 6);
    EXPECT_EQ(size.cy, 10);
    SelectObject(canvas.dc(), old);
    DeleteObject(narrow);
}

TEST(BoxFont, TextOutOpaqueTransparentUnderlineStrikeOut) {
    {
        TextCanvas canvas(8, 6, Font(4, L"Box", 2));
        SetBkMode(canvas.dc(), OPAQUE);
        SetBkColor(canvas.dc(), RGB(0, 0, 255));
        EXPECT_TRUE(TextOut(canvas.dc(), 1, 1, L"a b", 3));
        EXPECT_TRUE(
            canvas.Matches({"........", ".kkbbkk.", ".kkbbkk.", ".kkbbkk.", ".bbbbbb.", "........"},
                           kColours, "textout-opaque"));
    }
    {
        TextCanvas canvas(8, 5, Font(4, L"Box", 2));
        EXPECT_TRUE(TextOut(canvas.dc(), 1, 0, L"a b", 3));
        EXPECT_TRUE(canvas.Matches({".kk..kk.", ".kk..kk.", ".kk..kk.", "........", "........"},
                                   kColours, "textout-transparent"));
    }
    {
        // Cell 8: ascent 6; underline row 6, strikeout row 3.
        TextCanvas canvas(4, 8, Font(8, L"Box", 2, FW_NORMAL, true, true));
        TextOut(canvas.dc(), 0, 0, L" ", 1);
        EXPECT_TRUE(canvas.Matches({"....", "....", "....", "kk..", "....", "....", "kk..", "...."},
                                   kColours, "underline-strikeout"));
    }
}

TEST(BoxFont, TextAlignPlacesTheCellAndMovesTheCurrentPosition) {
    struct Case {
        UINT align;
        RECT ink;
    };
    // Cell 4 (ascent 3), "ab" 4 wide, drawn at (10, 6).
    const Case cases[] = {
        {TA_LEFT | TA_TOP, {10, 6, 14, 9}},
        {TA_RIGHT | TA_TOP, {6, 6, 10, 9}},
        {TA_CENTER | TA_BOTTOM, {8, 2, 12, 5}},
        {TA_LEFT | TA_BASELINE, {10, 3, 14, 6}},
    };
    for (const Case& c : cases) {
        TextCanvas canvas(20, 12, Font(4, L"Box", 2));
        EXPECT_EQ(SetTextAlign(canvas.dc(), c.align), 0u);
        TextOut(canvas.dc(), 10, 6, L"ab", 2);
        ExpectBox(canvas.InkBox(), c.ink, "align " + std::to_string(c.align));
    }
    TextCanvas canvas(20, 12, Font(4, L"Box", 2));
    SetTextAlign(canvas.dc(), TA_UPDATECP);
    MoveToEx(canvas.dc(), 2, 1, nullptr);
    TextOut(canvas.dc(), 0, 0, L"ab", 2);  // the point is ignored
    TextOut(canvas.dc(), 0, 0, L"c", 1);
    ExpectBox(canvas.InkBox(), {2, 1, 8, 4}, "update cp");
    POINT at{};
    GetCurrentPositionEx(canvas.dc(), &at);
    EXPECT_EQ(at.x, 8);
    EXPECT_EQ(GetTextAlign(canvas.dc()), TA_UPDATECP);
}

struct AlignCase {
    UINT format;
    RECT ink;
    int result;
};

TEST(DrawText, AlignmentAndVerticalCentre) {
    const AlignCase cases[] = {
        {DT_LEFT, {0, 0, 4, 3}, 4},
        {DT_CENTER, {8, 0, 12, 3}, 4},
        {DT_RIGHT, {16, 0, 20, 3}, 4},
        {DT_SINGLELINE | DT_VCENTER, {0, 2, 4, 5}, 6},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, {16, 4, 20, 7}, 8},
        {DT_VCENTER, {0, 0, 4, 3}, 4},  // only single lines centre vertically
    };
    for (const AlignCase& c : cases) {
        TextCanvas canvas(20, 8, Font(4, L"Box", 2));
        RECT rect{0, 0, 20, 8};
        EXPECT_EQ(DrawText(canvas.dc(), L"ab", -1, &rect, c.format), c.result) << c.format;
        ExpectBox(canvas.InkBox(), c.ink, "format " + std::to_string(c.format));
    }
}

TEST(DrawText, WordBreakAndCalcRect) {
    TextCanvas canvas(20, 20, Font(4, L"Box", 2));
    RECT rect{0, 0, 10, 20};
    const wchar_t* text = L"aa bb cc dddddd e";
    RECT calc = rect;
    EXPECT_EQ(DrawText(canvas.dc(), text, -1, &calc, DT_WORDBREAK | DT_CALCRECT), 16);
    ExpectBox(calc, {0, 0, 12, 16}, "calcrect");
    EXPECT_EQ(canvas.InkBox().right, 0);  // DT_CALCRECT draws nothing
    EXPECT_EQ(DrawText(canvas.dc(), text, -1, &rect, DT_WORDBREAK | DT_NOCLIP), 16);
    // Lines "aa bb", "cc", "dddddd" (too wide, kept whole), "e".
    EXPECT_TRUE(canvas.Matches(
        {
            "kkkk..kkkk..........", "kkkk..kkkk..........", "kkkk..kkkk..........",
            "....................", "kkkk................", "kkkk................",
            "kkkk................", "....................", "kkkkkkkkkkkk........",
            "kkkkkkkkkkkk........", "kkkkkkkkkkkk........", "....................",
            "kk..................", "kk..................", "kk..................",
            "....................", "....................", "....................",
            "....................", "....................",
        },
        kColours, "wordbreak"));
    RECT single{0, 0, 4, 4};
    EXPECT_EQ(DrawText(canvas.dc(), L"ab\ncd", -1, &single, DT_CALCRECT), 8);
    EXPECT_EQ(single.right, 4);
    RECT joined{0, 0, 4, 4};
    EXPECT_EQ(DrawText(canvas.dc(), L"ab\ncd", -1, &joined, DT_CALCRECT | DT_SINGLELINE), 4);
    EXPECT_EQ(joined.right, 8);
}

TEST(DrawText, ExpandedTabsStopEveryEightCharacters) {
    TextCanvas canvas(40, 4, Font(4, L"Box", 2));
    RECT rect{0, 0, 40, 4};
    RECT calc = rect;
    DrawText(canvas.dc(), L"ab\tc", -1, &calc, DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(calc.right, 18);  // c at the first stop, 16
    DrawText(canvas.dc(), L"ab\tc", -1, &rect, DT_EXPANDTABS);
    EXPECT_EQ(canvas.At(15, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(16, 0), RGB(0, 0, 0));
    calc = rect;
    DrawText(canvas.dc(), L"ab\tc", -1, &calc, DT_CALCRECT);
    EXPECT_EQ(calc.right, 8);  // without the flag a tab is a character like any other
}

TEST(DrawText, EndEllipsisAndClipping) {
    TextCanvas canvas(20, 4, Font(4, L"Box", 2));
    RECT rect{0, 0, 10, 4};
    RECT calc = rect;
    DrawText(canvas.dc(), L"abcdefgh", -1, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(calc.right, 10);  // "ab..." fits exactly
    DrawText(canvas.dc(), L"abcdefgh", -1, &rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_EQ(canvas.InkBox().right, 10);
    canvas.Fill(RGB(255, 255, 255));
    DrawText(canvas.dc(), L"abcdefgh", -1, &rect, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(canvas.InkBox().right, 16);
    canvas.Fill(RGB(255, 255, 255));
    DrawText(canvas.dc(), L"abcdefgh", -1, &rect, DT_SINGLELINE);
    EXPECT_EQ(canvas.InkBox().right, 10);  // clipped to the rectangle
    canvas.Fill(RGB(255, 255, 255));
    DrawText(canvas.dc(), L"abc", -1, &rect, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(canvas.InkBox().right, 6);  // a text that fits is left alone
}

TEST(DrawText, Prefixes) {
    struct Case {
        const wchar_t* text;
        UINT format;
        int width;
        bool underlined;
    };
    const Case cases[] = {
        {L"&ab", 0, 4, true},
        {L"a&&b", 0, 6, false},
        {L"&ab", DT_NOPREFIX, 6, false},
        {L"&ab", DT_HIDEPREFIX, 4, false},
    };
    for (const Case& c : cases) {
        // Cell 8, ascent 6: the underline is row 6, below the boxes.
        TextCanvas canvas(12, 8, Font(8, L"Box", 2));
        RECT rect{0, 0, 12, 8};
        RECT calc = rect;
        DrawText(canvas.dc(), c.text, -1, &calc, c.format | DT_CALCRECT);
        EXPECT_EQ(calc.right, c.width);
        DrawText(canvas.dc(), c.text, -1, &rect, c.format);
        EXPECT_EQ(canvas.At(0, 6) == RGB(0, 0, 0), c.underlined);
        EXPECT_EQ(canvas.At(2, 6), RGB(255, 255, 255));
    }
    TextCanvas only(12, 8, Font(8, L"Box", 2));
    RECT rect{0, 0, 12, 8};
    DrawText(only.dc(), L"a&b", -1, &rect, DT_PREFIXONLY);
    ExpectBox(only.InkBox(), {2, 6, 4, 7}, "prefix only");
}

TEST(TextJustification, SpreadsExtraPixelsOverBreaksAcrossCalls) {
    TextCanvas canvas(30, 4, Font(4, L"Box", 2));
    ASSERT_TRUE(SetTextJustification(canvas.dc(), 5, 2));
    SIZE size{};
    GetTextExtentPoint32(canvas.dc(), L"a b c", 5, &size);
    EXPECT_EQ(size.cx, 15);
    TextOut(canvas.dc(), 0, 0, L"a b c", 5);
    // a at 0, b at 2 + 2 + 3, c at 9 + 2 + 2.
    EXPECT_TRUE(canvas.Matches({"kk.....kk....kk...............", "kk.....kk....kk...............",
                                "kk.....kk....kk...............", ".............................."},
                               kColours, "justify"));
    canvas.Fill(RGB(255, 255, 255));
    SetTextJustification(canvas.dc(), 3, 2);
    TextOut(canvas.dc(), 0, 0, L"a ", 2);   // the first break takes 2 extra
    TextOut(canvas.dc(), 10, 0, L" b", 2);  // the second 1
    EXPECT_EQ(canvas.At(12, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(13, 0), RGB(0, 0, 0));
    SetTextJustification(canvas.dc(), 0, 0);
    GetTextExtentPoint32(canvas.dc(), L"a b c", 5, &size);
    EXPECT_EQ(size.cx, 10);
}

TEST(DrawShadowText, ShadowBehindTextAndStateKept) {
    TextCanvas canvas(6, 6, Font(4, L"Box", 2));
    canvas.Fill(RGB(0, 0, 255));
    SetTextColor(canvas.dc(), RGB(1, 2, 3));
    SetBkMode(canvas.dc(), OPAQUE);
    RECT rect{0, 0, 6, 6};
    EXPECT_EQ(DrawShadowText(canvas.dc(), L"a", 1, &rect, 0, RGB(255, 255, 255), 0, 1, 1), 4);
    EXPECT_TRUE(canvas.Matches({"wwbbbb", "wwkbbb", "wwkbbb", "bkkbbb", "bbbbbb", "bbbbbb"},
                               kColours, "shadow-text"));
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
}

TEST(RealFace, InkStaysInsideTheExtentAndHeightsFollowTheSign) {
    TextCanvas canvas(120, 40, Font(-16, L"ARIAL"));
    TEXTMETRICW tm{};
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_GE(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 16);
    SIZE size{};
    GetTextExtentPoint32(canvas.dc(), L"Hg", 2, &size);
    EXPECT_GT(size.cx, 10);
    TextOut(canvas.dc(), 10, 5, L"Hg", 2);
    RECT ink = canvas.InkBox();
    EXPECT_GT(canvas.Ink({0, 0, 120, 40}, RGB(255, 255, 255)), 20);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + size.cx);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + tm.tmHeight);

    HFONT cell = Font(20, L"Verdana");
    HFONT wide = Font(20, L"Verdana", 20);
    HFONT bold = Font(20, L"Verdana", 0, FW_BOLD);
    HGDIOBJ old = SelectObject(canvas.dc(), cell);
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 20);  // a positive height is the cell
    SIZE normal{}, stretched{};
    GetTextExtentPoint32(canvas.dc(), L"mmmm", 4, &normal);
    SelectObject(canvas.dc(), wide);
    GetTextExtentPoint32(canvas.dc(), L"mmmm", 4, &stretched);
    EXPECT_GT(stretched.cx, normal.cx + 8);
    SelectObject(canvas.dc(), old);
    for (HFONT f : {cell, wide, bold})
        DeleteObject(f);
}

TEST(RealFace, FallbackDrawsWhatTheFaceLacks) {
    auto draw = [](const wchar_t* text) {
        TextCanvas canvas(40, 30, Font(-20, L"Arial"));
        TextOut(canvas.dc(), 5, 5, text, int(std::wcslen(text)));
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x)
                pixels.push_back(canvas.At(x, y));
        }
        return pixels;
    };
    auto ink = [](const std::vector<COLORREF>& pixels) {
        return std::count_if(pixels.begin(), pixels.end(),
                             [](COLORREF c) { return c != RGB(255, 255, 255); });
    };
    std::vector<COLORREF> missing = draw(L"\x0378");  // no face has it: the missing glyph
    std::vector<COLORREF> celsius = draw(L"\x2103");
    std::vector<COLORREF> fahrenheit = draw(L"\x2109");
    std::vector<COLORREF> cjk = draw(L"\x4E2D");
    std::vector<COLORREF> comma = draw(L"\xFF0C");
    for (const auto* p : {&celsius, &fahrenheit, &cjk, &comma}) {
        EXPECT_GT(ink(*p), 10);
        EXPECT_NE(*p, missing);
    }
    EXPECT_NE(celsius, fahrenheit);
}

// The ink of one character, cropped to its bounds.
std::vector<COLORREF> InkOf(const wchar_t* face, wchar_t c) {
    TextCanvas canvas(40, 40, Font(-20, face));
    TextOut(canvas.dc(), 5, 5, &c, 1);
    RECT box = canvas.InkBox();
    std::vector<COLORREF> ink;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x)
            ink.push_back(canvas.At(x, y));
    }
    ink.push_back(RGB(box.right - box.left, box.bottom - box.top, 0));
    return ink;
}

TEST(RealFace, DegreesCelsiusComesFromTheFirstFallback) {
    // The Arial substitute has no such sign; the chain's first face has.
    std::vector<COLORREF> fromChain = InkOf(L"Arial", L'\x2103');
    EXPECT_EQ(fromChain, InkOf(L"DejaVu Sans", L'\x2103'));
    EXPECT_NE(InkOf(L"Arial", L'C'), InkOf(L"DejaVu Sans", L'C'));  // the faces do differ
}

TEST(RealFace, SixteenThreadsDrawTheSameTextAlike) {
    const wchar_t* text = L"CH1 25 fps \x2103 \x4E2D";
    auto render = [text](std::vector<COLORREF>* out) {
        TextCanvas canvas(160, 24, Font(-15, L"Tahoma"));
        for (int i = 0; i < 20; ++i) {
            canvas.Fill(RGB(255, 255, 255));
            TextOut(canvas.dc(), 2, 2, text, int(std::wcslen(text)));
        }
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 160; ++x)
                out->push_back(canvas.At(x, y));
        }
    };
    std::vector<std::vector<COLORREF>> results(16);
    std::vector<std::thread> threads;
    for (auto& r : results)
        threads.emplace_back(render, &r);
    for (std::thread& t : threads)
        t.join();
    std::vector<COLORREF> reference;
    render(&reference);
    for (const auto& r : results)
        EXPECT_EQ(r, reference);
}

}  // namespace
