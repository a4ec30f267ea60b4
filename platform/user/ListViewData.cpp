// The list view's columns and rows as messages change and read them.
#include <algorithm>

#include "platform/user/ControlSupport.h"
#include "platform/user/ListViewControl.h"
#include "platform/user/ListViewState.h"
#include "platform/user/Painting.h"

namespace {

ListViewState& S(HWND hwnd) {
    return ListStateOf(hwnd);
}

bool ValidRow(HWND hwnd, WPARAM row) {
    return row < S(hwnd).rows.size();
}

std::wstring& Cell(ListRow& row, int column) {
    if (row.cells.size() <= size_t(column))
        row.cells.resize(size_t(column) + 1);
    return row.cells[size_t(column)];
}

LRESULT CopyOut(const std::wstring& text, wchar_t* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    const size_t n = std::min(text.size(), size_t(size - 1));
    text.copy(buffer, n);
    buffer[n] = 0;
    return LRESULT(n);
}

void ApplyColumn(ListColumn& column, const LVCOLUMNW& c) {
    if ((c.mask & LVCF_TEXT) != 0)
        column.text = c.pszText != nullptr ? c.pszText : L"";
    if ((c.mask & LVCF_WIDTH) != 0)
        column.width = c.cx;
    if ((c.mask & LVCF_FMT) != 0)
        column.format = c.fmt;
}

LRESULT OnInsertColumn(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
    if (c == nullptr)
        return -1;
    std::vector<ListColumn>& columns = S(hwnd).columns;
    const size_t at = std::min(size_t(wParam), columns.size());
    ListColumn column;
    ApplyColumn(column, *c);
    columns.insert(columns.begin() + std::ptrdiff_t(at), column);
    for (ListRow& row : S(hwnd).rows) {
        if (row.cells.size() > at)
            row.cells.insert(row.cells.begin() + std::ptrdiff_t(at), std::wstring());
    }
    ListRefresh(hwnd);
    return LRESULT(at);
}

LRESULT OnSetColumn(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
    if (c == nullptr || wParam >= S(hwnd).columns.size())
        return FALSE;
    ApplyColumn(S(hwnd).columns[wParam], *c);
    ListRefresh(hwnd);
    return TRUE;
}

LRESULT OnGetColumn(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* c = reinterpret_cast<LVCOLUMNW*>(lParam);
    if (c == nullptr || wParam >= S(hwnd).columns.size())
        return FALSE;
    const ListColumn& column = S(hwnd).columns[wParam];
    if ((c->mask & LVCF_TEXT) != 0)
        CopyOut(column.text, c->pszText, c->cchTextMax);
    c->cx = column.width;
    c->fmt = column.format;
    c->iSubItem = int(wParam);
    return TRUE;
}

LRESULT OnDeleteColumn(HWND hwnd, WPARAM wParam, LPARAM) {
    std::vector<ListColumn>& columns = S(hwnd).columns;
    if (wParam >= columns.size())
        return FALSE;
    columns.erase(columns.begin() + std::ptrdiff_t(wParam));
    for (ListRow& row : S(hwnd).rows) {
        if (row.cells.size() > wParam)
            row.cells.erase(row.cells.begin() + std::ptrdiff_t(wParam));
    }
    ListRefresh(hwnd);
    return TRUE;
}

LRESULT OnGetColumnWidth(HWND hwnd, WPARAM wParam, LPARAM) {
    return wParam < S(hwnd).columns.size() ? S(hwnd).columns[wParam].width : 0;
}

LRESULT OnSetColumnWidth(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam >= S(hwnd).columns.size())
        return FALSE;
    S(hwnd).columns[wParam].width = int(lParam);
    ListRefresh(hwnd);
    return TRUE;
}

void ApplyItem(HWND hwnd, int index, const LVITEMW& item) {
    ListRow& row = S(hwnd).rows[size_t(index)];
    if ((item.mask & LVIF_TEXT) != 0)
        Cell(row, item.iSubItem) = item.pszText != nullptr ? item.pszText : L"";
    if ((item.mask & LVIF_PARAM) != 0 && item.iSubItem == 0)
        row.data = item.lParam;
    if ((item.mask & LVIF_STATE) != 0 && item.iSubItem == 0)
        ListSetRowState(hwnd, index, item.state, item.stateMask);
}

LRESULT OnInsertItem(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
    if (item == nullptr || item->iSubItem != 0)
        return -1;
    std::vector<ListRow>& rows = S(hwnd).rows;
    const int at = std::clamp(item->iItem, 0, int(rows.size()));
    rows.insert(rows.begin() + at, ListRow{});
    ApplyItem(hwnd, at, *item);
    ListRefresh(hwnd);
    return at;
}

LRESULT OnSetItem(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
    if (item == nullptr || !ValidRow(hwnd, WPARAM(item->iItem)))
        return FALSE;
    ApplyItem(hwnd, item->iItem, *item);
    ListRefresh(hwnd);
    return TRUE;
}

LRESULT OnGetItem(HWND hwnd, WPARAM, LPARAM lParam) {
    auto* item = reinterpret_cast<LVITEMW*>(lParam);
    if (item == nullptr || !ValidRow(hwnd, WPARAM(item->iItem)))
        return FALSE;
    ListRow& row = S(hwnd).rows[size_t(item->iItem)];
    if ((item->mask & LVIF_TEXT) != 0)
        CopyOut(Cell(row, item->iSubItem), item->pszText, item->cchTextMax);
    if ((item->mask & LVIF_PARAM) != 0)
        item->lParam = row.data;
    if ((item->mask & LVIF_STATE) != 0)
        item->state = row.state & item->stateMask;
    return TRUE;
}

LRESULT OnSetItemText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
    if (item == nullptr || !ValidRow(hwnd, wParam))
        return FALSE;
    Cell(S(hwnd).rows[wParam], item->iSubItem) = item->pszText != nullptr ? item->pszText : L"";
    ListRefresh(hwnd);
    return TRUE;
}

LRESULT OnGetItemText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* item = reinterpret_cast<LVITEMW*>(lParam);
    if (item == nullptr || !ValidRow(hwnd, wParam))
        return 0;
    return CopyOut(Cell(S(hwnd).rows[wParam], item->iSubItem), item->pszText, item->cchTextMax);
}

LRESULT OnDeleteItem(HWND hwnd, WPARAM wParam, LPARAM) {
    if (!ValidRow(hwnd, wParam))
        return FALSE;
    S(hwnd).rows.erase(S(hwnd).rows.begin() + std::ptrdiff_t(wParam));
    ListScrollTo(hwnd, S(hwnd).top);
    ListRefresh(hwnd);
    return TRUE;
}

LRESULT OnDeleteAllItems(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).rows.clear();
    S(hwnd).top = 0;
    ListRefresh(hwnd);
    return TRUE;
}

LRESULT OnGetItemCount(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(S(hwnd).rows.size());
}

LRESULT OnSetItemState(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
    if (item == nullptr)
        return FALSE;
    const int index = int(intptr_t(wParam));
    if (index >= int(S(hwnd).rows.size()))
        return FALSE;
    const int first = index < 0 ? 0 : index;
    const int last = index < 0 ? int(S(hwnd).rows.size()) - 1 : index;
    for (int i = first; i <= last; ++i)
        ListSetRowState(hwnd, i, item->state, item->stateMask);
    return TRUE;
}

LRESULT OnGetItemState(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    return ValidRow(hwnd, wParam) ? LRESULT(S(hwnd).rows[wParam].state & UINT(lParam)) : 0;
}

LRESULT OnGetSelectedCount(HWND hwnd, WPARAM, LPARAM) {
    const std::vector<ListRow>& rows = S(hwnd).rows;
    return std::count_if(rows.begin(), rows.end(),
                         [](const ListRow& r) { return (r.state & LVIS_SELECTED) != 0; });
}

LRESULT OnGetNextItem(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const std::vector<ListRow>& rows = S(hwnd).rows;
    const UINT want = UINT(lParam) & (LVNI_FOCUSED | LVNI_SELECTED);
    for (int i = int(intptr_t(wParam)) + 1; i < int(rows.size()); ++i) {
        const UINT state = rows[size_t(i)].state;
        if (((want & LVNI_FOCUSED) == 0 || (state & LVIS_FOCUSED) != 0) &&
            ((want & LVNI_SELECTED) == 0 || (state & LVIS_SELECTED) != 0))
            return i;
    }
    return -1;
}

LRESULT OnSetExtendedStyle(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const DWORD old = S(hwnd).extended;
    const DWORD mask = wParam != 0 ? DWORD(wParam) : ~DWORD(0);
    S(hwnd).extended = (old & ~mask) | (DWORD(lParam) & mask);
    ListRefresh(hwnd);
    return LRESULT(old);
}

LRESULT OnGetExtendedStyle(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(S(hwnd).extended);
}

constexpr std::array kTable = {
    ControlEntry{LVM_INSERTCOLUMNW, OnInsertColumn},
    ControlEntry{LVM_SETCOLUMNW, OnSetColumn},
    ControlEntry{LVM_GETCOLUMNW, OnGetColumn},
    ControlEntry{LVM_DELETECOLUMN, OnDeleteColumn},
    ControlEntry{LVM_GETCOLUMNWIDTH, OnGetColumnWidth},
    ControlEntry{LVM_SETCOLUMNWIDTH, OnSetColumnWidth},
    ControlEntry{LVM_INSERTITEMW, OnInsertItem},
    ControlEntry{LVM_SETITEMW, OnSetItem},
    ControlEntry{LVM_GETITEMW, OnGetItem},
    ControlEntry{LVM_SETITEMTEXTW, OnSetItemText},
    ControlEntry{LVM_GETITEMTEXTW, OnGetItemText},
    ControlEntry{LVM_DELETEITEM, OnDeleteItem},
    ControlEntry{LVM_DELETEALLITEMS, OnDeleteAllItems},
    ControlEntry{LVM_GETITEMCOUNT, OnGetItemCount},
    ControlEntry{LVM_SETITEMSTATE, OnSetItemState},
    ControlEntry{LVM_GETITEMSTATE, OnGetItemState},
    ControlEntry{LVM_GETSELECTEDCOUNT, OnGetSelectedCount},
    ControlEntry{LVM_GETNEXTITEM, OnGetNextItem},
    ControlEntry{LVM_SETEXTENDEDLISTVIEWSTYLE, OnSetExtendedStyle},
    ControlEntry{LVM_GETEXTENDEDLISTVIEWSTYLE, OnGetExtendedStyle},
};

}  // namespace

bool HandleListDataMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const ControlEntry& e : kTable) {
        if (e.message == message) {
            *result = e.handler(list, wParam, lParam);
            return true;
        }
    }
    return false;
}

void ListSetRowState(HWND list, int row, UINT state, UINT mask) {
    ListRow& r = S(list).rows[size_t(row)];
    const UINT old = r.state;
    r.state = (old & ~mask) | (state & mask);
    if (r.state == old)
        return;
    ListRefresh(list);
    NMLISTVIEW nm{};
    nm.iItem = row;
    nm.uNewState = r.state;
    nm.uOldState = old;
    nm.uChanged = LVIF_STATE;
    nm.lParam = r.data;
    NotifyParent(list, &nm.hdr, LVN_ITEMCHANGED);
}
