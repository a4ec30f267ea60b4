// Layout and drawing with the Box face: every character is an 8 x 12 box on
// a 16-pixel line (ascent 12, descent 4), so positions are exact.
#include <gtest/gtest.h>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

constexpr const wchar_t* kBoxSheet =
    L"body {font-family:Box; font-size:16px; color:black}\r\n"
    L"a:link {color:blue}\r\n"
    L"a:hover {color:blue; text-decoration:underline}\r\n"
    L"big {font-size:200%}\r\n";

class HtmlLayout : public ::testing::Test {
protected:
    HtmlLayout() : canvas_(64, 80) { drawer_.SetStyleSheet(kBoxSheet); }

    SIZE Measure(const wchar_t* text) {
        SIZE size{-1, -1};
        drawer_.Measure(canvas_.dc(), text, &size);
        return size;
    }
    void MeasureAndDraw(const wchar_t* text, int width) {
        Measure(text);
        RECT area{0, 0, width, 80};
        drawer_.Draw(canvas_.dc(), &area);
    }
    bool Black(int x, int y) const { return canvas_.At(x, y) == RGB(0, 0, 0); }
    // The left edges of the boxes on the row `y`.
    std::vector<int> BoxStarts(int y) const {
        std::vector<int> starts;
        for (int x = 0; x < canvas_.width(); ++x) {
            if (Black(x, y) && (x == 0 || !Black(x - 1, y)))
                starts.push_back(x);
        }
        return starts;
    }

    Canvas canvas_;
    CQoHtmlDrawer drawer_;
};

TEST_F(HtmlLayout, MeasuresExtentPlusOne) {
    struct Case {
        const wchar_t* text;
        int maxWidth;
        LONG cx, cy;
    } cases[] = {
        {L"", 0, 0, 0},
        {L"ab cd", 0, 41, 17},
        {L"aaaa bbbb cccc dddd", 0, 153, 17},  // no maximum width: one line
        {L"aaa bbb ccc", 40, 25, 49},
        {L"a<br=3>b", 0, 9, 65},
        {L"a\nb", 0, 9, 33},
        {L"a<t>b", 0, 41, 17},
        {L"<t=2>b", 0, 73, 17},
        {L"<big>a</big>", 0, 17, 33},
        {L"aaaa<br>aaaa<hr width=50%>", 0, 50, 33},
        {L"<b>", 0, 0, 0},
        {L"abcdefghij", 24, 25, 65},  // no break character: cut to what fits
    };
    for (const Case& c : cases) {
        drawer_.SetMaxWidth(c.maxWidth);
        SIZE size = Measure(c.text);
        EXPECT_EQ(size.cx, c.cx) << CString(c.text).Std().size() << " max " << c.maxWidth;
        EXPECT_EQ(size.cy, c.cy) << CString(c.text).Std().size() << " max " << c.maxWidth;
    }
}

TEST_F(HtmlLayout, WrappedWordsStartEachLine) {
    drawer_.SetMaxWidth(40);
    MeasureAndDraw(L"aaa bbb ccc", 40);
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(BoxStarts(line * 16 + 5), std::vector<int>{0}) << line;
    EXPECT_TRUE(Black(23, 5));
    EXPECT_FALSE(Black(24, 5));
    EXPECT_FALSE(Black(0, 48));
}

TEST_F(HtmlLayout, AlignmentMovesTheLine) {
    MeasureAndDraw(L"<center>ab</center>", 40);
    EXPECT_EQ(BoxStarts(5), std::vector<int>{12});
    canvas_.Fill(RGB(255, 255, 255));
    MeasureAndDraw(L"<right>ab</right>", 40);
    EXPECT_EQ(BoxStarts(5), std::vector<int>{24});
}

TEST_F(HtmlLayout, JustifyStretchesWrappedLinesButNotTheLast) {
    drawer_.SetMaxWidth(56);
    MeasureAndDraw(L"<justify>aa bb cc dd</justify>", 56);
    EXPECT_EQ(BoxStarts(5), (std::vector<int>{0, 40}));
    EXPECT_TRUE(Black(55, 5));
    EXPECT_EQ(BoxStarts(21), (std::vector<int>{0, 24}));
}

TEST_F(HtmlLayout, SmallerTextSitsOnTheBaseline) {
    MeasureAndDraw(L"<big>a</big>b", 0);
    // The line is 32 high with a baseline at 24; "b" (ascent 12) starts at 12.
    EXPECT_TRUE(Black(0, 0));
    EXPECT_FALSE(Black(16, 11));
    EXPECT_TRUE(Black(16, 12));
    EXPECT_TRUE(Black(16, 23));
    EXPECT_FALSE(Black(16, 24));
}

TEST_F(HtmlLayout, ClosingTagOfAnotherStyleIsIgnored) {
    MeasureAndDraw(L"<u>a</i>b</u>c", 0);
    // The underline is the row just below the baseline (y = 12).
    EXPECT_TRUE(Black(4, 12));
    EXPECT_TRUE(Black(12, 12));
    EXPECT_FALSE(Black(20, 12));
}

TEST_F(HtmlLayout, LessThanSignsAndColours) {
    MeasureAndDraw(L"<font color=#FF0000>a</font>&amp;lt;b<<", 0);
    EXPECT_EQ(canvas_.At(2, 2), RGB(255, 0, 0));
    EXPECT_TRUE(Black(10, 2));  // the single "<" from "&amp;lt;"
    EXPECT_TRUE(Black(18, 2));
    EXPECT_TRUE(Black(26, 2));  // the "<" from "<<"
    EXPECT_FALSE(Black(34, 2));
}

TEST_F(HtmlLayout, RuleIsDrawnAcrossItsPercentOfTheArea) {
    MeasureAndDraw(L"<hr width=50% size=2 color=red>", 40);
    // A rule's line is thickness + 8 high; the rule sits on its middle row.
    int red = 0;
    for (int x = 0; x < 64; ++x)
        red += canvas_.At(x, 5) == RGB(255, 0, 0);
    EXPECT_EQ(red, 21);  // 20 pixels, and the draw manager's line includes its end point
}

TEST_F(HtmlLayout, DcStateIsRestoredAfterEachPass) {
    SetTextColor(canvas_.dc(), RGB(1, 2, 3));
    SetBkMode(canvas_.dc(), OPAQUE);
    HGDIOBJ font = GetCurrentObject(canvas_.dc(), OBJ_FONT);
    MeasureAndDraw(L"ab", 0);
    EXPECT_EQ(GetTextColor(canvas_.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(canvas_.dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(canvas_.dc(), OBJ_FONT), font);
}

constexpr const wchar_t* kGrid =
    L"<table cellspacing=0 cellpadding=0><tr><td>a</td><td>bbb</td></tr>"
    L"<tr><td>cc</td><td>d</td></tr></table>";

TEST_F(HtmlLayout, TableColumnsAreTheirWidestCellsOnePixelApart) {
    const SIZE size = Measure(kGrid);
    EXPECT_EQ(size.cx, 16 + 1 + 24 + 1);
    EXPECT_EQ(size.cy, 16 + 1 + 16 + 1);
    RECT area{0, 0, 41, 80};
    drawer_.Draw(canvas_.dc(), &area);
    EXPECT_EQ(BoxStarts(5), (std::vector<int>{0, 17}));
    EXPECT_TRUE(Black(40, 5));
    EXPECT_FALSE(Black(41, 5));
    EXPECT_EQ(BoxStarts(22), (std::vector<int>{0, 17}));
    EXPECT_FALSE(Black(16, 22));
}

// With a maximum width, cells without a width were measured one character
// wide: the draw pass then wrapped lines the measure pass never recorded.
TEST_F(HtmlLayout, CellsWithoutAWidthMeasureTheirTextUnderAMaximumWidth) {
    drawer_.SetMaxWidth(56);
    const SIZE size =
        Measure(L"<table cellspacing=0 cellpadding=0><tr><td>ab c</td><td>d</td></tr></table>");
    EXPECT_EQ(size.cx, 32 + 1 + 8 + 1);
    EXPECT_EQ(size.cy, 16 + 1);
    RECT area{0, 0, 41, 80};
    drawer_.Draw(canvas_.dc(), &area);
    EXPECT_EQ(BoxStarts(5), (std::vector<int>{0, 24, 33}));
    EXPECT_TRUE(BoxStarts(21).empty()) << "nothing wrapped below the table's one row";
}

TEST_F(HtmlLayout, SpanningCellWidensItsColumnsRemainderToTheLast) {
    const SIZE size = Measure(
        L"<table cellspacing=0 cellpadding=0><tr><td colspan=2 width=21>a</td></tr>"
        L"<tr><td>a</td><td>a</td></tr></table>");
    EXPECT_EQ(size.cx, 10 + 1 + 11 + 1);
    RECT area{0, 0, 22, 80};
    drawer_.Draw(canvas_.dc(), &area);
    EXPECT_EQ(BoxStarts(22), (std::vector<int>{0, 11}));
}

TEST_F(HtmlLayout, NarrowTableStretchesFreeColumnsOrCentresFixedOnes) {
    MeasureAndDraw(L"<table cellspacing=0 cellpadding=0><tr><td>a</td><td>a</td></tr></table>", 41);
    EXPECT_EQ(BoxStarts(5), (std::vector<int>{0, 21}));
    canvas_.Fill(RGB(255, 255, 255));
    MeasureAndDraw(
        L"<table cellspacing=0 cellpadding=0 align=center><tr><td width=8>a</td>"
        L"<td width=8>a</td></tr></table>",
        41);
    EXPECT_EQ(BoxStarts(5), (std::vector<int>{12, 21}));
}

TEST_F(HtmlLayout, TableBetweenTextBlocksAndItsBorder) {
    const SIZE size = Measure(
        L"x<table cellspacing=0 cellpadding=0 border=1 bordercolor=red><tr><td>a</td></tr>"
        L"</table>y");
    // The cells inherit the border (as width 1): 8 + 2 wide, 16 + 2 high.
    EXPECT_EQ(size.cy, 16 + (2 + 18) + 16 + 1);
    RECT area{0, 0, 12, 80};
    drawer_.Draw(canvas_.dc(), &area);
    EXPECT_TRUE(Black(0, 5));                      // x
    EXPECT_EQ(canvas_.At(0, 16), RGB(255, 0, 0));  // the table's frame
    EXPECT_EQ(canvas_.At(1, 23), RGB(255, 0, 0));  // the cell's frame
    EXPECT_TRUE(Black(2, 23));                     // a
    EXPECT_FALSE(Black(10, 23));
    EXPECT_TRUE(Black(0, 36 + 5));  // y, below the table
}

}  // namespace
