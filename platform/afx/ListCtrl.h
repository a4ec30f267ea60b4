// A list view object ("SysListView32" class, report mode;
// platform/user/ListViewControl.h). Rows are items, columns beyond the first
// hold their sub-items.
#pragma once

#include "platform/afx/Point.h"
#include "platform/afx/String.h"
#include "platform/afx/Wnd.h"

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Columns. A negative width leaves the default (50 pixels).
    int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int column) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(column))); }
    int GetColumnWidth(int column) const {
        return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(column)));
    }
    BOOL SetColumnWidth(int column, int width) {
        return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(column), LPARAM(width)));
    }
    // The width of `text` in the list's font, without the cell margins.
    int GetStringWidth(const wchar_t* text) const {
        return int(SendMessage(LVM_GETSTRINGWIDTHW, 0, LPARAM(text)));
    }

    // Items.
    int InsertItem(int item, const wchar_t* text);
    int InsertItem(const LVITEMW* item) {
        return int(SendMessage(LVM_INSERTITEMW, 0, LPARAM(item)));
    }
    BOOL SetItemText(int item, int subItem, const wchar_t* text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, wchar_t* buffer, int size) const;
    BOOL DeleteItem(int item) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(item))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
    int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
    BOOL SetItemData(int item, uintptr_t data);
    uintptr_t GetItemData(int item) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const {
        return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(item), LPARAM(mask)));
    }
    int GetNextItem(int item, int flags) const {
        return int(SendMessage(LVM_GETNEXTITEM, WPARAM(intptr_t(item)), LPARAM(flags)));
    }
    UINT GetSelectedCount() const { return UINT(SendMessage(LVM_GETSELECTEDCOUNT)); }

    DWORD SetExtendedStyle(DWORD style) {
        return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(style)));
    }
    DWORD GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

    // Where things are.
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* info) const {
        return int(SendMessage(LVM_HITTEST, 0, LPARAM(info)));
    }
    int SubItemHitTest(LVHITTESTINFO* info) {
        return int(SendMessage(LVM_SUBITEMHITTEST, 0, LPARAM(info)));
    }
    BOOL GetItemRect(int item, RECT* rect, UINT code) const;
    BOOL EnsureVisible(int item, BOOL partialOk) {
        return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(item), LPARAM(partialOk)));
    }
    int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }

    DECLARE_DYNAMIC(CListCtrl)
};
