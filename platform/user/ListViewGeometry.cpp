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

int ListRowsPerPage(HWND list) {
    RECT c{};
    GetClientRect(list, &c);
    return std::max(1, (c.bottom - ListHeaderHeight(list)) / ListRowHeight(list));
}

bool ListHasScrollBar(HWND list) {
    return ListRowScroll(list).Needed();
}

RowScroll ListRowScroll(HWND list) {
    const ListViewState& s = ListStateOf(list);
    return RowScroll{int(s.rows.size()), ListRowsPerPage(list), s.top};
}

RECT ListScrollBar(HWND list) {
    RECT c{};
    GetClientRect(list, &c);
    return RECT{c.right - kRowScrollBarWidth, ListHeaderHeight(list), c.right, c.bottom};
}

RECT ListCellRect(HWND list, int row, int column) {
    const ListViewState& s = ListStateOf(list);
    const int top = ListHeaderHeight(list) + (row - s.top) * ListRowHeight(list);
    int left = 0;
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
    if (p.y < header || (ListHasScrollBar(list) && p.x >= ListScrollBar(list).left))
        return;
    const int index = s.top + (p.y - header) / ListRowHeight(list);
    int left = 0;
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
