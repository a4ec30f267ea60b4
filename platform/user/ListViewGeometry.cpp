// Where a list view's header, rows, cells and scroll bar lie, and scrolling.
#include <algorithm>

#include "platform/user/ControlSupport.h"
#include "platform/user/ListViewControl.h"
#include "platform/user/ListViewState.h"
#include "platform/user/Painting.h"

ListViewState& ListStateOf(HWND list) {
    return *StateOf<ListViewState>(list);
}

int ListRowHeight(HWND list) {
    return FontHeight(ListStateOf(list).font) + 3;
}

int ListHeaderHeight(HWND list) {
    if ((GetWindowLongPtr(list, GWL_STYLE) & LVS_NOCOLUMNHEADER) != 0)
        return 0;
    return FontHeight(ListStateOf(list).font) + 6;
}

namespace {

RECT ClientOf(HWND list) {
    RECT c{};
    GetClientRect(list, &c);
    return c;
}

int RowsFitting(HWND list, int bottom) {
    return std::max(1, (bottom - ListHeaderHeight(list)) / ListRowHeight(list));
}

int ColumnsWidth(HWND list) {
    int width = 0;
    for (const ListColumn& c : ListStateOf(list).columns)
        width += c.width;
    return width;
}

}  // namespace

// Wider than the whole client, or than the room the row scroll bar leaves
// when the rows need one without this bar.
bool ListHasColumnScrollBar(HWND list) {
    const RECT c = ClientOf(list);
    const int width = ColumnsWidth(list);
    if (width > c.right)
        return true;
    if (width <= c.right - kRowScrollBarWidth)
        return false;
    return int(ListStateOf(list).rows.size()) > RowsFitting(list, c.bottom);
}

int ListRowsPerPage(HWND list) {
    const RECT c = ClientOf(list);
    return RowsFitting(list, c.bottom - (ListHasColumnScrollBar(list) ? kRowScrollBarWidth : 0));
}

RowScroll ListColumnScroll(HWND list) {
    const RECT c = ClientOf(list);
    const int shown = c.right - (ListHasScrollBar(list) ? kRowScrollBarWidth : 0);
    return RowScroll{ColumnsWidth(list), std::max(1, shown), ListStateOf(list).left};
}

RECT ListColumnScrollBar(HWND list) {
    const RECT c = ClientOf(list);
    const int right = c.right - (ListHasScrollBar(list) ? kRowScrollBarWidth : 0);
    return RECT{0, c.bottom - kRowScrollBarWidth, right, c.bottom};
}

void ListScrollColumnsTo(HWND list, int left) {
    ListViewState& s = ListStateOf(list);
    const int next = std::clamp(left, 0, ListColumnScroll(list).MaxTop());
    if (next == s.left)
        return;
    s.left = next;
    ListRefresh(list);
}

bool ListHasScrollBar(HWND list) {
    return ListRowScroll(list).Needed();
}

RowScroll ListRowScroll(HWND list) {
    const ListViewState& s = ListStateOf(list);
    return RowScroll{int(s.rows.size()), ListRowsPerPage(list), s.top};
}

RECT ListScrollBar(HWND list) {
    const RECT c = ClientOf(list);
    const int bottom = c.bottom - (ListHasColumnScrollBar(list) ? kRowScrollBarWidth : 0);
    return RECT{c.right - kRowScrollBarWidth, ListHeaderHeight(list), c.right, bottom};
}

RECT ListCellRect(HWND list, int row, int column) {
    const ListViewState& s = ListStateOf(list);
    const int top = ListHeaderHeight(list) + (row - s.top) * ListRowHeight(list);
    int left = -s.left;
    for (int i = 0; i < column; ++i)
        left += s.columns[size_t(i)].width;
    int right = left;
    if (column >= 0) {
        right += s.columns[size_t(column)].width;
    } else {
        for (const ListColumn& c : s.columns)
            right += c.width;
    }
    return RECT{left, top, right, top + ListRowHeight(list)};
}

void ListHitTest(HWND list, POINT p, int* row, int* column) {
    const ListViewState& s = ListStateOf(list);
    *row = -1;
    *column = -1;
    const int header = ListHeaderHeight(list);
    if (p.y < header || (ListHasScrollBar(list) && p.x >= ListScrollBar(list).left) ||
        (ListHasColumnScrollBar(list) && p.y >= ListColumnScrollBar(list).top))
        return;
    const int index = s.top + (p.y - header) / ListRowHeight(list);
    int left = -s.left;
    for (size_t i = 0; i < s.columns.size(); ++i) {
        if (p.x >= left && p.x < left + s.columns[i].width)
            *column = int(i);
        left += s.columns[i].width;
    }
    if (index < int(s.rows.size()) && *column >= 0)
        *row = index;
}

void ListScrollTo(HWND list, int top) {
    ListViewState& s = ListStateOf(list);
    const int maxTop = std::max(0, int(s.rows.size()) - ListRowsPerPage(list));
    const int next = std::clamp(top, 0, maxTop);
    if (next == s.top)
        return;
    s.top = next;
    ListRefresh(list);
}

void ListEnsureVisible(HWND list, int row) {
    const ListViewState& s = ListStateOf(list);
    if (row < s.top)
        ListScrollTo(list, row);
    else if (row >= s.top + ListRowsPerPage(list))
        ListScrollTo(list, row - ListRowsPerPage(list) + 1);
}

void ListRefresh(HWND list) {
    if (ListStateOf(list).redraw)
        InvalidateRect(list, nullptr, FALSE);
}
