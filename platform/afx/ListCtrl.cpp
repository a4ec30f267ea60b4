#include "platform/afx/ListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width,
                            int subItem) {
    LVCOLUMNW c{};
    c.mask =
        LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0u) | (subItem >= 0 ? LVCF_SUBITEM : 0u);
    c.fmt = format;
    c.cx = width;
    c.pszText = const_cast<wchar_t*>(heading);
    c.iSubItem = subItem;
    return int(SendMessage(LVM_INSERTCOLUMNW, WPARAM(column), LPARAM(&c)));
}

int CListCtrl::InsertItem(int item, const wchar_t* text) {
    LVITEMW i{};
    i.mask = LVIF_TEXT;
    i.iItem = item;
    i.pszText = const_cast<wchar_t*>(text);
    return InsertItem(&i);
}

BOOL CListCtrl::SetItemText(int item, int subItem, const wchar_t* text) {
    LVITEMW i{};
    i.iSubItem = subItem;
    i.pszText = const_cast<wchar_t*>(text);
    return BOOL(SendMessage(LVM_SETITEMTEXTW, WPARAM(item), LPARAM(&i)));
}

int CListCtrl::GetItemText(int item, int subItem, wchar_t* buffer, int size) const {
    LVITEMW i{};
    i.iSubItem = subItem;
    i.pszText = buffer;
    i.cchTextMax = size;
    return int(SendMessage(LVM_GETITEMTEXTW, WPARAM(item), LPARAM(&i)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    // Grows the buffer until the text fits with room to spare.
    CString text;
    for (int size = 256;; size *= 2) {
        const int n = GetItemText(item, subItem, text.GetBufferSetLength(size), size);
        text.ReleaseBuffer();
        if (n < size - 1)
            return text;
    }
}

BOOL CListCtrl::SetItemData(int item, uintptr_t data) {
    LVITEMW i{};
    i.mask = LVIF_PARAM;
    i.iItem = item;
    i.lParam = LPARAM(data);
    return BOOL(SendMessage(LVM_SETITEMW, 0, LPARAM(&i)));
}

uintptr_t CListCtrl::GetItemData(int item) const {
    LVITEMW i{};
    i.mask = LVIF_PARAM;
    i.iItem = item;
    SendMessage(LVM_GETITEMW, 0, LPARAM(&i));
    return uintptr_t(i.lParam);
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMW i{};
    i.state = state;
    i.stateMask = mask;
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(intptr_t(item)), LPARAM(&i)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO info{};
    info.pt = point;
    const int item = HitTest(&info);
    if (flags != nullptr)
        *flags = info.flags;
    return item;
}

BOOL CListCtrl::GetItemRect(int item, RECT* rect, UINT code) const {
    if (rect == nullptr)
        return FALSE;
    rect->left = LONG(code);
    return BOOL(SendMessage(LVM_GETITEMRECT, WPARAM(item), LPARAM(rect)));
}
