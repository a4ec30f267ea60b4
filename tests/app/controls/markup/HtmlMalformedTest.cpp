// Texts no tip should ever contain: each must lay out and draw without
// crashing, hanging or producing sizes beyond the clamps.
#include <gtest/gtest.h>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

CString Repeat(const wchar_t* piece, int count) {
    CString text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

TEST(HtmlMalformed, NeitherCrashesNorHangs) {
    const CString cases[] = {
        Repeat(L"<b", 20000),
        Repeat(L"<b>", 5000) + L"deep" + Repeat(L"</b>", 5000),
        Repeat(L"<i><u>", 3000) + L"x",
        Repeat(L"<", 10001),
        Repeat(L">", 1000),
        L"<font size=99999999999999999999>x",
        L"<font size=-99999px>x</font>",
        L"<big><big><big><big><big><big><big><big><big><big>x",
        L"<br=2147483647>x<br=-5>y",
        L"<t=99999999>x<t=-1>",
        L"<hr width=99999999% size=99999999>",
        L"<hr width=-50% size=-3>",
        L"<a href='never closed>x",
        L"<font color=#>x<font color=#1234567>y<font color=0x>",
        L"&amp;&amp;&amp;lt;lt;&&;;",
        L"<span class=>x</span><span class='.'>y",
        Repeat(L"\t", 500) + Repeat(L"\n", 500),
        Repeat(L"w", 3000),
        L"<justify>" + Repeat(L"a ", 2000),
        L"<table>",
        L"<table><tr><td>",
        L"<table><tr><td colspan=99999 rowspan=99999>x<td>y<tr><td>z",
        Repeat(L"<table><tr><td>", 300) + L"deep",
        Repeat(L"<table border=5 cellspacing=99999 cellpadding=-4><tr><td width=999999>", 3),
        L"<tr><td>no table</td></tr></table></table>",
        L"<table><tr><td rowspan=3>a</td><td>b</td></tr><tr><td>c</td><td>d</td><td>e</td>"
        L"</tr></table>",
        L"<table background=idres:1 bgeffect=99><tr><td bgcolor=red>x</td></tr></table>",
    };
    Canvas canvas(32, 32);
    for (int maxWidth : {0, 1, 30}) {
        for (const CString& text : cases) {
            CQoHtmlDrawer drawer;
            drawer.SetMaxWidth(maxWidth);
            SIZE size{-1, -1};
            drawer.Measure(canvas.dc(), text, &size);
            EXPECT_GE(size.cx, 0);
            EXPECT_GE(size.cy, 0);
            EXPECT_LT(size.cy, 100000000);
            RECT area{0, 0, 32, 32};
            drawer.Draw(canvas.dc(), &area);
        }
    }
}

// Sums of clamped sizes still overflowed int once enough of them piled up: 9000
// breaks of 64 lines of a 4096-pixel font measured -1,935,667,199 pixels high.
// Every sum saturates at the layout's bound instead.
TEST(HtmlMalformed, SumsOfHugeSizesSaturateAtTheBound) {
    constexpr LONG kBound = CQoHtmlDrawer::kMaxExtent + 1;  // Measure adds 1
    const struct {
        const char* what;
        CString text;
        SIZE expected;  // 0: anything from 0 to the bound
    } cases[] = {
        {"line breaks", L"<font size=4096px>" + Repeat(L"<br=64>", 9000), {0, kBound}},
        {"rules", Repeat(L"<hr width=4096 size=4096>", 9000), {kBound, 0}},
        {"tabs", L"<font size=4096px>" + Repeat(L"<t=64>", 9000), {kBound, 0}},
        {"a run of text", L"<font size=4096px>" + Repeat(L"W", 9000), {kBound, 0}},
        {"percent rules", Repeat(L"<hr width=4096%>", 9000) + L"x", {0, 0}},
        {"a table cell of line breaks",
         L"<table><tr><td><font size=4096px>" + Repeat(L"<br=64>", 9000) + L"</td></tr></table>",
         {0, kBound}},
        {"rows of a table in a cell of line breaks",
         L"<table><tr><td><font size=4096px>" + Repeat(L"<br=64>", 9000) + L"<table>" +
             Repeat(L"<tr><td height=4096>x</td></tr>", 64) + L"</table></td></tr></table>",
         {0, kBound}},
        {"table rows, 64 at most",
         L"<table>" + Repeat(L"<tr><td height=4096>x</td></tr>", 9000) + L"</table>",
         {0, 0}},
        {"table columns, 64 at most",
         L"<table><tr>" + Repeat(L"<td width=4096>x</td>", 9000) + L"</tr></table>",
         {0, 0}},
    };
    Canvas canvas(32, 32);
    for (const auto& c : cases) {
        CQoHtmlDrawer drawer;
        SIZE size{-1, -1};
        drawer.Measure(canvas.dc(), c.text, &size);
        EXPECT_GE(size.cx, 0) << c.what;
        EXPECT_GE(size.cy, 0) << c.what;
        EXPECT_LE(size.cx, kBound) << c.what;
        EXPECT_LE(size.cy, kBound) << c.what;
        if (c.expected.cx != 0) {
            EXPECT_EQ(size.cx, c.expected.cx) << c.what;
        }
        if (c.expected.cy != 0) {
            EXPECT_EQ(size.cy, c.expected.cy) << c.what;
        }
        RECT area{0, 0, 32, 32};
        drawer.Draw(canvas.dc(), &area);
    }
}

// Measure caps the width it reports at the maximum, so the size cannot show
// a layout that ignores it; what is drawn can. Runs of text, with or without
// break characters, wrap inside the maximum width and draw nothing right of it.
TEST(HtmlMalformed, WrappedTextDrawsNothingBeyondTheMaximumWidth) {
    const CString cases[] = {
        Repeat(L"w", 3000),
        L"<justify>" + Repeat(L"a ", 2000),
        Repeat(L"<i><u>", 3000) + L"x y z",
        Repeat(L"ab-cd.ef,gh ", 200),
        L"&amp;&amp;&amp;lt;lt;&&;;" + Repeat(L"&lt;", 100),
    };
    constexpr int kMaxWidth = 30;
    for (const CString& text : cases) {
        Canvas canvas(64, 48);
        CQoHtmlDrawer drawer;
        drawer.SetMaxWidth(kMaxWidth);
        SIZE size{-1, -1};
        drawer.Measure(canvas.dc(), text, &size);
        ASSERT_GT(size.cx, 0);
        RECT area{0, 0, kMaxWidth, 48};
        drawer.Draw(canvas.dc(), &area);
        int drawnBeyond = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = kMaxWidth; x < 64; ++x)
                drawnBeyond += canvas.At(x, y) != RGB(255, 255, 255);
        EXPECT_EQ(drawnBeyond, 0) << &text - cases;
    }
}

}  // namespace
