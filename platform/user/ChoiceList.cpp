#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/user/CommonDialogControls.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowApi.h"

namespace {

constexpr int kFontSlot = 0;
constexpr int kStateSlot = int(sizeof(LONG_PTR));
constexpr int kRowHeight = 16;

// The list's lines; made at WM_NCCREATE, freed at WM_NCDESTROY, used on the
// window's thread only.
struct ListState {
    std::vector<std::wstring> items;
    int selection = -1;
    int top = 0;  // the first line shown
};

ListState* StateOf(HWND hwnd) {
    return reinterpret_cast<ListState*>(GetWindowLongPtr(hwnd, kStateSlot));
}

int VisibleRows(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return std::max<int>(1, (r.bottom - r.top - 2) / kRowHeight);
}

void Notify(HWND hwnd, UINT code) {
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), int(code)),
                LPARAM(hwnd));
}

void Select(HWND hwnd, ListState& s, int index, bool notify) {
    index = s.items.empty() ? -1 : std::clamp(index, -1, int(s.items.size()) - 1);
    if (index >= 0 && index < s.top)
        s.top = index;
    if (index >= s.top + VisibleRows(hwnd))
        s.top = index - VisibleRows(hwnd) + 1;
    const bool changed = index != s.selection;
    s.selection = index;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (changed && notify)
        Notify(hwnd, LBN_SELCHANGE);
}

RECT RowRect(HWND hwnd, const ListState& s, int index) {
    RECT r{};
    GetClientRect(hwnd, &r);
    const int y = 1 + (index - s.top) * kRowHeight;
    return RECT{1, y, r.right - 1, y + kRowHeight};
}

int RowAt(const ListState& s, LPARAM lParam) {
    const int row = (GET_Y_LPARAM(lParam) - 1) / kRowHeight + s.top;
    return row >= 0 && row < int(s.items.size()) ? row : -1;
}

void Paint(HWND hwnd, const ListState& s) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ font = HGDIOBJ(GetWindowLongPtr(hwnd, kFontSlot));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const int last = std::min<int>(int(s.items.size()), s.top + VisibleRows(hwnd));
    for (int i = s.top; i < last; ++i) {
        RECT row = RowRect(hwnd, s, i);
        const bool selected = i == s.selection;
        if (selected)
            FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        row.left += 3;
        DrawTextW(dc, s.items[size_t(i)].c_str(), int(s.items[size_t(i)].size()), &row,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (old != nullptr)
        SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

LRESULT CopyText(const ListState& s, WPARAM index, wchar_t* buffer) {
    if (index >= s.items.size())
        return LB_ERR;
    const std::wstring& text = s.items[index];
    if (buffer != nullptr) {
        text.copy(buffer, text.size());
        buffer[text.size()] = 0;
    }
    return LRESULT(text.size());
}

LRESULT ListMessage(HWND hwnd, ListState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case LB_ADDSTRING:
            s.items.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
            InvalidateRect(hwnd, nullptr, FALSE);
            return LRESULT(s.items.size() - 1);
        case LB_RESETCONTENT:
            s = ListState{};
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case LB_SETCURSEL:
            Select(hwnd, s, int(wParam), false);
            return s.selection;
        case LB_GETCURSEL:
            return s.selection;
        case LB_GETCOUNT:
            return LRESULT(s.items.size());
        case LB_GETTEXT:
            return CopyText(s, wParam, reinterpret_cast<wchar_t*>(lParam));
        case LB_GETTEXTLEN:
            return CopyText(s, wParam, nullptr);
        case LB_GETITEMRECT:
            if (wParam >= s.items.size())
                return LB_ERR;
            *reinterpret_cast<RECT*>(lParam) = RowRect(hwnd, s, int(wParam));
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT ChoiceListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtr(hwnd, kStateSlot, LONG_PTR(new ListState));
    ListState* s = StateOf(hwnd);
    if (s == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_NCDESTROY:
            SetWindowLongPtr(hwnd, kStateSlot, 0);
            delete s;
            return 0;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            Select(hwnd, *s, RowAt(*s, lParam), true);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (RowAt(*s, lParam) >= 0)
                Notify(hwnd, LBN_DBLCLK);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN)
                Select(hwnd, *s, std::max(0, s->selection + (wParam == VK_UP ? -1 : 1)), true);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFONT:
            SetWindowLongPtr(hwnd, kFontSlot, LONG_PTR(wParam));
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtr(hwnd, kFontSlot);
        case WM_PAINT:
            Paint(hwnd, *s);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return ListMessage(hwnd, *s, message, wParam, lParam);
    }
}
