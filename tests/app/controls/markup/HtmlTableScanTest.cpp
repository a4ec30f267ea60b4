// The table scans search each character of a text a bounded number of times:
// a row of many cells was once searched to its end for every cell, so 20000
// cells froze the tip for seconds. The work is counted, not timed (the time
// is measured by bench/markup).
#include <gtest/gtest.h>

#include <string>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

CString Repeat(const std::wstring& piece, int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return CString(text.c_str());
}

// Tag-search steps of one Measure and Draw, per character of the text.
double StepsPerCharacter(const CString& text) {
    Canvas canvas(64, 64);
    CQoHtmlDrawer drawer;
    const long long before = CQoHtmlDrawer::TagSearchSteps();
    SIZE size{0, 0};
    drawer.Measure(canvas.dc(), text, &size);
    RECT area{0, 0, 64, 64};
    drawer.Draw(canvas.dc(), &area);
    return double(CQoHtmlDrawer::TagSearchSteps() - before) / text.GetLength();
}

TEST(HtmlTableScan, EachCellIsSearchedABoundedNumberOfTimes) {
    const std::wstring cell = L"<td>x</td>";
    const struct {
        const char* what;
        std::wstring head, piece, tail;
        int repeatsPerCell;  // pieces are cells (1) or rows of 312 cells
    } shapes[] = {
        {"cells in one row", L"<table><tr>", cell, L"</tr></table>", 1},
        {"cells without their closing tags", L"<table><tr>", L"<td>x", L"</table>", 1},
        {"rows of 312 cells", L"<table>", L"<tr>" + Repeat(cell, 312).Std() + L"</tr>", L"</table>",
         312},
        {"rows of one cell", L"<table>", L"<tr>" + cell + L"</tr>", L"</table>", 1},
        {"cells holding tables", L"<table><tr>", L"<td><table><tr><td>y</td></tr></table></td>",
         L"</tr></table>", 1},
    };
    for (const auto& s : shapes) {
        const auto text = [&](int cells) {
            return CString(s.head.c_str()) + Repeat(s.piece, cells / s.repeatsPerCell) +
                   s.tail.c_str();
        };
        const double small = StepsPerCharacter(text(2000));
        const double large = StepsPerCharacter(text(20000));
        EXPECT_LT(large, 32) << s.what << ": 20000 cells";
        EXPECT_LT(large, small * 1.5 + 1) << s.what << ": ten times the cells, not more per cell";
    }
}

}  // namespace
