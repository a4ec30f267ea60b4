// Inside the window system: the state of a list view and the geometry its
// painting, hit testing and scrolling share (ListViewControl.cpp,
// ListViewData.cpp, ListViewPaint.cpp). Used on the list view's thread.
#pragma once

#include "platform/user/RowScrollBar.h"

#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

struct ListColumn {
    std::wstring text;
    int width = 50;
    int format = 0;  // LVCFMT_*
};

struct ListRow {
    std::vector<std::wstring> cells;  // one per column at most; missing cells are empty
    UINT state = 0;                   // LVIS_*
    LPARAM data = 0;
};

struct ListViewState {
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    DWORD extended = 0;  // LVS_EX_*
    int top = 0;         // first row shown
    int left = 0;        // pixels of the columns scrolled out on the left
    HFONT font = nullptr;
    bool redraw = true;
    bool focused = false;
    bool draggingThumb = false;
    bool draggingColumnThumb = false;
    int grab = 0;  // where the thumb was taken, from its top (or left)
};

ListViewState& ListStateOf(HWND list);
int ListRowHeight(HWND list);
int ListHeaderHeight(HWND list);
// Rows that fit whole below the header.
int ListRowsPerPage(HWND list);
bool ListHasScrollBar(HWND list);
// The rows against the page, for the scroll bar.
RowScroll ListRowScroll(HWND list);
// The scroll bar's strip, in client coordinates.
RECT ListScrollBar(HWND list);
// The columns' scroll bar along the bottom, shown while the columns are
// wider than the list beside its row scroll bar.
bool ListHasColumnScrollBar(HWND list);
RowScroll ListColumnScroll(HWND list);
RECT ListColumnScrollBar(HWND list);
void ListScrollColumnsTo(HWND list, int left);
// Where the cell (row, column) is; the row's full width with column -1.
RECT ListCellRect(HWND list, int row, int column);
// The row and column under a client point (-1 when none).
void ListHitTest(HWND list, POINT p, int* row, int* column);
void ListScrollTo(HWND list, int top);
void ListEnsureVisible(HWND list, int row);
// Paints again unless redrawing is off.
void ListRefresh(HWND list);
// Sets the state bits in `mask` of a row, telling the parent (LVN_ITEMCHANGED).
void ListSetRowState(HWND list, int row, UINT state, UINT mask);

void PaintListView(HWND list, HDC dc);
// The item and column messages; false for others.
bool HandleListDataMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
