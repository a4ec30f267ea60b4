#include "platform/user/ListViewControl.h"

#include <algorithm>
#include <cwchar>

#include "platform/user/ControlSupport.h"
#include "platform/user/Focus.h"
#include "platform/user/Input.h"
#include "platform/user/ListViewState.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"

namespace {

ListViewState& S(HWND hwnd) {
    return ListStateOf(hwnd);
}

DWORD StyleOf(HWND hwnd) {
    return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The row a press at `p` is on: without full-row selection only the first column counts.
int PressedRow(HWND hwnd, POINT p, int* column) {
    int row = -1;
    ListHitTest(hwnd, p, &row, column);
    if ((S(hwnd).extended & LVS_EX_FULLROWSELECT) == 0 && *column != 0)
        return -1;
    return row;
}

void SelectOnly(HWND hwnd, int row) {
    for (int i = 0; i < int(S(hwnd).rows.size()); ++i) {
        if (i != row)
            ListSetRowState(hwnd, i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (row >= 0)
        ListSetRowState(hwnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void SelectByPress(HWND hwnd, int row) {
    const bool toggle =
        (GetKeyState(VK_CONTROL) & 0x8000) != 0 && (StyleOf(hwnd) & LVS_SINGLESEL) == 0 && row >= 0;
    if (!toggle) {
        SelectOnly(hwnd, row);
        return;
    }
    const UINT selected = S(hwnd).rows[size_t(row)].state & LVIS_SELECTED;
    ListSetRowState(hwnd, row, (selected ^ LVIS_SELECTED) | LVIS_FOCUSED,
                    LVIS_SELECTED | LVIS_FOCUSED);
}

void NotifyActivation(HWND hwnd, UINT code, int row, int column, POINT p) {
    NMITEMACTIVATE nm{};
    nm.iItem = row;
    nm.iSubItem = column;
    nm.ptAction = p;
    NotifyParent(hwnd, &nm.hdr, code);
}

bool OnScrollBar(HWND hwnd, POINT p) {
    return ListHasScrollBar(hwnd) && p.x >= ListScrollBar(hwnd).left &&
           p.y >= ListHeaderHeight(hwnd);
}

bool OnColumnScrollBar(HWND hwnd, POINT p) {
    if (!ListHasColumnScrollBar(hwnd))
        return false;
    const RECT bar = ListColumnScrollBar(hwnd);
    return p.y >= bar.top && p.x < bar.right;
}

void PressColumnScrollBar(HWND hwnd, POINT p) {
    const RECT bar = ListColumnScrollBar(hwnd);
    const RowScroll columns = ListColumnScroll(hwnd);
    const int left = ColumnScrollPress(bar, columns, p.x);
    if (left >= 0) {
        ListScrollColumnsTo(hwnd, left);
        return;
    }
    S(hwnd).draggingColumnThumb = true;
    S(hwnd).grab = p.x - ColumnScrollThumb(bar, columns).left;
    SetCapture(hwnd);
}

void PressScrollBar(HWND hwnd, POINT p) {
    const RECT bar = ListScrollBar(hwnd);
    const RowScroll rows = ListRowScroll(hwnd);
    const int top = RowScrollPress(bar, rows, p.y);
    if (top >= 0) {
        ListScrollTo(hwnd, top);
        return;
    }
    S(hwnd).draggingThumb = true;
    S(hwnd).grab = p.y - RowScrollThumb(bar, rows).top;
    SetCapture(hwnd);
}

// A press on either scroll bar scrolls; false when it is on neither.
bool PressScrollBars(HWND hwnd, POINT p) {
    if (OnColumnScrollBar(hwnd, p)) {
        PressColumnScrollBar(hwnd, p);
        return true;
    }
    if (!OnScrollBar(hwnd, p))
        return false;
    PressScrollBar(hwnd, p);
    return true;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM lParam) {
    SetFocus(hwnd);
    const POINT p = PointOf(lParam);
    if (PressScrollBars(hwnd, p))
        return 0;
    int column = -1;
    const int row = PressedRow(hwnd, p, &column);
    SelectByPress(hwnd, row);
    NotifyActivation(hwnd, NM_CLICK, row, column, p);
    return 0;
}

LRESULT OnLButtonDblClk(HWND hwnd, WPARAM, LPARAM lParam) {
    const POINT p = PointOf(lParam);
    if (PressScrollBars(hwnd, p))
        return 0;
    int column = -1;
    const int row = PressedRow(hwnd, p, &column);
    SelectByPress(hwnd, row);
    NotifyActivation(hwnd, NM_DBLCLK, row, column, p);
    return 0;
}

LRESULT OnMouseMove(HWND hwnd, WPARAM, LPARAM lParam) {
    if (S(hwnd).draggingThumb) {
        ListScrollTo(hwnd, RowScrollDrag(ListScrollBar(hwnd), ListRowScroll(hwnd),
                                         GET_Y_LPARAM(lParam), S(hwnd).grab));
    }
    if (S(hwnd).draggingColumnThumb) {
        ListScrollColumnsTo(hwnd,
                            ColumnScrollDrag(ListColumnScrollBar(hwnd), ListColumnScroll(hwnd),
                                             GET_X_LPARAM(lParam), S(hwnd).grab));
    }
    return 0;
}

LRESULT OnLButtonUp(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).draggingThumb = false;
    S(hwnd).draggingColumnThumb = false;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).draggingThumb = false;
    S(hwnd).draggingColumnThumb = false;
    return 0;
}

LRESULT OnMouseWheel(HWND hwnd, WPARAM wParam, LPARAM) {
    ListScrollTo(hwnd, RowScrollWheel(ListRowScroll(hwnd), GET_WHEEL_DELTA_WPARAM(wParam)));
    return 0;
}

// The row a key moves the focus to, or -1 for keys that do not move it.
int KeyTarget(HWND hwnd, UINT vk) {
    const int count = int(S(hwnd).rows.size());
    const int focus = int(SendMessage(hwnd, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    const int page = ListRowsPerPage(hwnd);
    switch (vk) {
        case VK_UP:
            return std::max(0, focus - 1);
        case VK_DOWN:
            return std::min(count - 1, focus + 1);
        case VK_PRIOR:
            return std::max(0, focus - page);
        case VK_NEXT:
            return std::min(count - 1, std::max(0, focus) + page);
        case VK_HOME:
            return 0;
        case VK_END:
            return count - 1;
        default:
            return -1;
    }
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    if (wParam == VK_RETURN) {
        NotifyParent(hwnd, NM_RETURN);
        return 0;
    }
    const int row = S(hwnd).rows.empty() ? -1 : KeyTarget(hwnd, UINT(wParam));
    if (row < 0)
        return 0;
    SelectOnly(hwnd, row);
    ListEnsureVisible(hwnd, row);
    return 0;
}

LRESULT OnFocus(HWND hwnd, bool on) {
    S(hwnd).focused = on;
    ListRefresh(hwnd);
    NotifyParent(hwnd, on ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

LRESULT OnSetFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, true);
}

LRESULT OnKillFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, false);
}

LRESULT OnSize(HWND hwnd, WPARAM, LPARAM) {
    ListScrollTo(hwnd, S(hwnd).top);
    ListScrollColumnsTo(hwnd, S(hwnd).left);
    return 0;
}

LRESULT OnSetRedraw(HWND hwnd, WPARAM wParam, LPARAM) {
    S(hwnd).redraw = wParam != 0;
    ListRefresh(hwnd);
    return 0;
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    S(hwnd).font = HFONT(wParam);
    if (lParam != 0)
        ListRefresh(hwnd);
    return 0;
}

LRESULT OnGetDlgCode(HWND, WPARAM, LPARAM) {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

LRESULT HitTest(HWND hwnd, LPARAM lParam, bool sub) {
    auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
    if (info == nullptr)
        return -1;
    int column = -1;
    int row = -1;
    ListHitTest(hwnd, info->pt, &row, &column);
    if (!sub && column != 0)
        row = -1;
    info->iItem = row;
    info->iSubItem = sub ? column : 0;
    info->flags = row >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    return row;
}

LRESULT OnHitTest(HWND hwnd, WPARAM, LPARAM lParam) {
    return HitTest(hwnd, lParam, false);
}

LRESULT OnSubItemHitTest(HWND hwnd, WPARAM, LPARAM lParam) {
    return HitTest(hwnd, lParam, true);
}

LRESULT OnEnsureVisible(HWND hwnd, WPARAM wParam, LPARAM) {
    if (wParam >= S(hwnd).rows.size())
        return FALSE;
    ListEnsureVisible(hwnd, int(wParam));
    return TRUE;
}

LRESULT OnGetTopIndex(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).top;
}

LRESULT OnGetCountPerPage(HWND hwnd, WPARAM, LPARAM) {
    return ListRowsPerPage(hwnd);
}

LRESULT OnGetItemRect(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* r = reinterpret_cast<RECT*>(lParam);
    if (r == nullptr || wParam >= S(hwnd).rows.size())
        return FALSE;
    *r = ListCellRect(hwnd, int(wParam), -1);
    return TRUE;
}

LRESULT OnGetStringWidth(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    if (text == nullptr)
        return 0;
    HDC dc = GetDC(hwnd);
    SIZE size{};
    {
        ScopedFont scope(dc, S(hwnd).font);
        GetTextExtentPoint32W(dc, text, int(std::wcslen(text)), &size);
    }
    ReleaseDC(hwnd, dc);
    return size.cx;
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<ListViewState>},
    ControlEntry{WM_NCDESTROY, DeleteStateOf<ListViewState>},
    ControlEntry{WM_PAINT, PaintThrough<PaintListView>},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_SIZE, OnSize},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONDBLCLK, OnLButtonDblClk},
    ControlEntry{WM_MOUSEMOVE, OnMouseMove},
    ControlEntry{WM_LBUTTONUP, OnLButtonUp},
    ControlEntry{WM_CAPTURECHANGED, OnCaptureChanged},
    ControlEntry{WM_MOUSEWHEEL, OnMouseWheel},
    ControlEntry{WM_KEYDOWN, OnKeyDown},
    ControlEntry{WM_SETFOCUS, OnSetFocus},
    ControlEntry{WM_KILLFOCUS, OnKillFocus},
    ControlEntry{WM_SETREDRAW, OnSetRedraw},
    ControlEntry{WM_SETFONT, OnSetFont},
    ControlEntry{WM_GETFONT, GetStateFont<ListViewState>},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{LVM_HITTEST, OnHitTest},
    ControlEntry{LVM_SUBITEMHITTEST, OnSubItemHitTest},
    ControlEntry{LVM_ENSUREVISIBLE, OnEnsureVisible},
    ControlEntry{LVM_GETTOPINDEX, OnGetTopIndex},
    ControlEntry{LVM_GETCOUNTPERPAGE, OnGetCountPerPage},
    ControlEntry{LVM_GETITEMRECT, OnGetItemRect},
    ControlEntry{LVM_GETSTRINGWIDTHW, OnGetStringWidth},
};

}  // namespace

LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<ListViewState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleListDataMessage(hwnd, message, wParam, lParam, &result))
        return result;
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
