// The dropped list of a combo box: a popup below the box that shows the
// items, marks the one under the cursor and holds the mouse while it is
// down. Its first extra slot holds the combo box it belongs to.
#include <algorithm>

#include "platform/user/ComboBoxControl.h"
#include "platform/user/ComboBoxState.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Focus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Theme.h"

namespace {

HWND ComboOf(HWND list) {
    return reinterpret_cast<HWND>(GetWindowLongPtr(list, 0));
}

// The item under a point of the list's client area, or -1.
int ItemAt(HWND list, POINT p) {
    RECT client{};
    GetClientRect(list, &client);
    if (!PtInRect(&client, p))
        return -1;
    HWND combo = ComboOf(list);
    const int index = ComboStateOf(combo).top + p.y / ComboItemHeight(combo);
    return index < int(ComboStateOf(combo).items.size()) ? index : -1;
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void PaintItem(HWND combo, HDC dc, int index, RECT row) {
    const ComboState& s = ComboStateOf(combo);
    const bool marked = index == s.marked;
    if (marked)
        FillSolidRect(dc, &row, kTheme.selection);
    SetTextColor(dc, marked ? kTheme.selectionText : kTheme.fieldText);
    row.left += 3;
    const std::wstring& text = s.items[size_t(index)].text;
    DrawTextW(dc, text.c_str(), int(text.size()), &row,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT OnPaint(HWND list, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(list, &ps);
    if (dc == nullptr)
        return 0;
    HWND combo = ComboOf(list);
    const ComboState& s = ComboStateOf(combo);
    RECT client{};
    GetClientRect(list, &client);
    FillRect(dc, &client, ParentColours(combo, dc, WM_CTLCOLORLISTBOX));
    ScopedFont scope(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    const int height = ComboItemHeight(combo);
    for (int i = s.top, y = 0; i < int(s.items.size()) && y < client.bottom; ++i, y += height)
        PaintItem(combo, dc, i, RECT{0, y, client.right, y + height});
    EndPaint(list, &ps);
    return 0;
}

LRESULT OnMouseMove(HWND list, WPARAM, LPARAM lParam) {
    const int index = ItemAt(list, PointOf(lParam));
    if (index >= 0)
        MarkComboItem(ComboOf(list), index);
    return 0;
}

LRESULT OnLButtonDown(HWND list, WPARAM, LPARAM lParam) {
    if (ItemAt(list, PointOf(lParam)) < 0)
        CloseComboList(ComboOf(list), false);
    return 0;
}

LRESULT OnLButtonUp(HWND list, WPARAM, LPARAM lParam) {
    const int index = ItemAt(list, PointOf(lParam));
    if (index < 0)
        return 0;
    MarkComboItem(ComboOf(list), index);
    CloseComboList(ComboOf(list), true);
    return 0;
}

LRESULT OnCaptureChanged(HWND list, WPARAM, LPARAM lParam) {
    if (HWND(lParam) != list)
        CloseComboList(ComboOf(list), false);
    return 0;
}

LRESULT OnMouseActivate(HWND, WPARAM, LPARAM) {
    return MA_NOACTIVATE;
}

constexpr std::array kTable = {
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_MOUSEMOVE, OnMouseMove},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONUP, OnLButtonUp},
    ControlEntry{WM_CAPTURECHANGED, OnCaptureChanged},
    ControlEntry{WM_MOUSEACTIVATE, OnMouseActivate},
};

HWND MakeList(HWND combo) {
    HWND list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                kComboListClass, L"", WS_POPUP | WS_BORDER, 0, 0, 10, 10,
                                GetAncestor(combo, GA_ROOT), nullptr, nullptr, nullptr);
    SetWindowLongPtr(list, 0, LONG_PTR(combo));
    return list;
}

}  // namespace

LRESULT ComboListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ComboOf(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}

int ComboVisibleRows(HWND combo) {
    const ComboState& s = ComboStateOf(combo);
    const int fit = std::max(1, s.listHeight / ComboItemHeight(combo));
    return std::clamp(int(s.items.size()), 1, fit);
}

void MarkComboItem(HWND combo, int index) {
    ComboState& s = ComboStateOf(combo);
    if (index < 0 || index >= int(s.items.size()))
        return;
    s.marked = index;
    const int rows = ComboVisibleRows(combo);
    if (index < s.top)
        s.top = index;
    if (index >= s.top + rows)
        s.top = index - rows + 1;
    if (s.list != nullptr)
        InvalidateRect(s.list, nullptr, FALSE);
}

void OpenComboList(HWND combo) {
    ComboState& s = ComboStateOf(combo);
    if (s.dropped)
        return;
    CommandParent(combo, CBN_DROPDOWN);
    if (s.list == nullptr)
        s.list = MakeList(combo);
    s.dropped = true;
    s.marked = s.selected;
    s.top = 0;
    MarkComboItem(combo, s.marked);
    RECT box{};
    GetWindowRect(combo, &box);
    RECT frame{0, 0, box.right - box.left, ComboVisibleRows(combo) * ComboItemHeight(combo)};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    SetWindowPos(s.list, HWND_TOPMOST, box.left, box.bottom, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(s.list);
    InvalidateRect(combo, nullptr, FALSE);
}

void CloseComboList(HWND combo, bool choose) {
    ComboState& s = ComboStateOf(combo);
    if (!s.dropped)
        return;
    s.dropped = false;
    ShowWindow(s.list, SW_HIDE);
    if (GetCapture() == s.list)
        ReleaseCapture();
    const bool changed = choose && s.marked >= 0 && s.marked != s.selected;
    if (changed)
        s.selected = s.marked;
    InvalidateRect(combo, nullptr, FALSE);
    CommandParent(combo, choose ? CBN_SELENDOK : CBN_SELENDCANCEL);
    CommandParent(combo, CBN_CLOSEUP);
    if (changed)
        CommandParent(combo, CBN_SELCHANGE);
}
