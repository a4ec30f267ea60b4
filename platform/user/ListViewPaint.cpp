// How a list view draws: the header, the rows with their selection, the
// grid lines and the scroll bars.
#include "platform/user/ControlSupport.h"
#include "platform/user/ListViewControl.h"
#include "platform/user/ListViewState.h"
#include "platform/user/Theme.h"

namespace {

UINT Alignment(int format) {
    switch (format & 3) {
        case LVCFMT_RIGHT:
            return DT_RIGHT;
        case LVCFMT_CENTER:
            return DT_CENTER;
        default:
            return DT_LEFT;
    }
}

void DrawCellText(HDC dc, const std::wstring& text, RECT r, int format) {
    InflateRect(&r, -kListViewCellMargin, 0);
    DrawTextW(dc, text.c_str(), int(text.size()), &r,
              Alignment(format) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintHeader(HWND list, HDC dc, int right) {
    const int height = ListHeaderHeight(list);
    if (height == 0)
        return;
    const RECT band{0, 0, right, height};
    FillSolidRect(dc, &band, kTheme.header);
    SetTextColor(dc, kTheme.text);
    int left = -ListStateOf(list).left;
    for (const ListColumn& c : ListStateOf(list).columns) {
        const RECT cell{left, 0, left + c.width, height};
        const RECT separator{cell.right - 1, 4, cell.right, height - 4};
        FillSolidRect(dc, &separator, kTheme.edge);
        DrawCellText(dc, c.text, cell, c.format);
        left += c.width;
    }
    const RECT line{0, height - 1, right, height};
    FillSolidRect(dc, &line, kTheme.edge);
}

bool SelectionShown(HWND list) {
    return ListStateOf(list).focused ||
           (GetWindowLongPtr(list, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
}

void PaintRow(HWND list, HDC dc, int index) {
    const ListViewState& s = ListStateOf(list);
    const ListRow& row = s.rows[size_t(index)];
    const bool selected = (row.state & LVIS_SELECTED) != 0 && SelectionShown(list);
    const bool fullRow = (s.extended & LVS_EX_FULLROWSELECT) != 0;
    for (size_t c = 0; c < s.columns.size(); ++c) {
        const RECT cell = ListCellRect(list, index, int(c));
        const bool marked = selected && (fullRow || c == 0);
        if (marked) {
            FillSolidRect(dc, &cell, s.focused ? kTheme.selection : kTheme.header);
        }
        SetTextColor(dc, marked && s.focused ? kTheme.selectionText : kTheme.fieldText);
        const std::wstring text = c < row.cells.size() ? row.cells[c] : L"";
        DrawCellText(dc, text, cell, s.columns[c].format);
    }
}

void PaintGrid(HWND list, HDC dc, const RECT& client) {
    HBRUSH grid = ThemeBrush(kTheme.grid);
    const int header = ListHeaderHeight(list);
    for (int y = header + ListRowHeight(list) - 1; y < client.bottom; y += ListRowHeight(list)) {
        const RECT line{0, y, client.right, y + 1};
        FillRect(dc, &line, grid);
    }
    int x = -ListStateOf(list).left;
    for (const ListColumn& c : ListStateOf(list).columns) {
        x += c.width;
        const RECT line{x - 1, header, x, client.bottom};
        FillRect(dc, &line, grid);
    }
}

}  // namespace

void PaintListView(HWND list, HDC dc) {
    const ListViewState& s = ListStateOf(list);
    RECT client{};
    GetClientRect(list, &client);
    FillSolidRect(dc, &client, kTheme.field);
    ScopedFont scope(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    const int last = std::min(int(s.rows.size()), s.top + ListRowsPerPage(list) + 1);
    for (int i = s.top; i < last; ++i)
        PaintRow(list, dc, i);
    if ((s.extended & LVS_EX_GRIDLINES) != 0)
        PaintGrid(list, dc, client);
    PaintHeader(list, dc, client.right);
    if (ListHasScrollBar(list))
        PaintRowScrollBar(dc, ListScrollBar(list), ListRowScroll(list));
    if (ListHasColumnScrollBar(list))
        PaintColumnScrollBar(dc, ListColumnScrollBar(list), ListColumnScroll(list));
}
