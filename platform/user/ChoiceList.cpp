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
#include "platform/user/RowScrollBar.h"
#include "platform/user/Theme.h"
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
    bool draggingThumb = false;
    int grab = 0;  // where the thumb was taken, from its top
};

ListState* StateOf(HWND hwnd) {
    return reinterpret_cast<ListState*>(GetWindowLongPtr(hwnd, kStateSlot));
}

int VisibleRows(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return std::max<int>(1, (r.bottom - r.top - 2) / kRowHeight);
}

RowScroll Rows(HWND hwnd, const ListState& s) {
    return RowScroll{int(s.items.size()), VisibleRows(hwnd), s.top};
}

// The scroll bar's strip inside the frame; empty while every line fits.
RECT ScrollBar(HWND hwnd, const ListState& s) {
    if (!Rows(hwnd, s).Needed())
        return RECT{};
    RECT r{};
    GetClientRect(hwnd, &r);
    return RECT{r.right - 1 - kRowScrollBarWidth, 1, r.right - 1, r.bottom - 1};
}

void ScrollTo(HWND hwnd, ListState& s, int top) {
    top = std::clamp(top, 0, Rows(hwnd, s).MaxTop());
    if (top == s.top)
        return;
    s.top = top;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void PressScrollBar(HWND hwnd, ListState& s, POINT p) {
    const RECT bar = ScrollBar(hwnd, s);
    const int top = RowScrollPress(bar, Rows(hwnd, s), p.y);
    if (top >= 0) {
        ScrollTo(hwnd, s, top);
        return;
    }
    s.draggingThumb = true;
    s.grab = p.y - RowScrollThumb(bar, Rows(hwnd, s)).top;
    SetCapture(hwnd);
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
    const RECT bar = ScrollBar(hwnd, s);
    return RECT{1, y, IsRectEmpty(&bar) ? r.right - 1 : bar.left, y + kRowHeight};
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
    FillSolidRect(dc, &r, kTheme.field);
    FrameRect(dc, &r, ThemeBrush(kTheme.edge));
    HGDIOBJ font = HGDIOBJ(GetWindowLongPtr(hwnd, kFontSlot));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const int last = std::min<int>(int(s.items.size()), s.top + VisibleRows(hwnd));
    for (int i = s.top; i < last; ++i) {
        RECT row = RowRect(hwnd, s, i);
        const bool selected = i == s.selection;
        if (selected)
            FillSolidRect(dc, &row, kTheme.selection);
        SetTextColor(dc, selected ? kTheme.selectionText : kTheme.fieldText);
        row.left += 3;
        DrawTextW(dc, s.items[size_t(i)].c_str(), int(s.items[size_t(i)].size()), &row,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    const RECT bar = ScrollBar(hwnd, s);
    if (!IsRectEmpty(&bar))
        PaintRowScrollBar(dc, bar, Rows(hwnd, s));
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
        case WM_LBUTTONDBLCLK: {
            SetFocus(hwnd);
            const RECT bar = ScrollBar(hwnd, *s);
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (PtInRect(&bar, p))
                PressScrollBar(hwnd, *s, p);
            else if (message == WM_LBUTTONDOWN)
                Select(hwnd, *s, RowAt(*s, lParam), true);
            else if (RowAt(*s, lParam) >= 0)
                Notify(hwnd, LBN_DBLCLK);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (s->draggingThumb)
                ScrollTo(hwnd, *s,
                         RowScrollDrag(ScrollBar(hwnd, *s), Rows(hwnd, *s), GET_Y_LPARAM(lParam),
                                       s->grab));
            return 0;
        case WM_LBUTTONUP:
            s->draggingThumb = false;
            if (GetCapture() == hwnd)
                ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            s->draggingThumb = false;
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(hwnd, *s, RowScrollWheel(Rows(hwnd, *s), GET_WHEEL_DELTA_WPARAM(wParam)));
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
