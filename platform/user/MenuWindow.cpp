#include "platform/user/MenuWindow.h"

#include <algorithm>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/user/Geometry.h"
#include "platform/user/Menus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/Theme.h"
#include "platform/user/WindowApi.h"

namespace {

constexpr int kBorder = 2;
constexpr int kCheckColumn = 20;  // check marks
constexpr int kArrowColumn = 18;  // sub-menu arrows
constexpr int kSeparatorHeight = 7;
constexpr int kMinimumWidth = 80;

MenuLevel* LevelOf(HWND hwnd) {
    return reinterpret_cast<MenuLevel*>(GetWindowLongPtr(hwnd, 0));
}

HFONT MenuFont() {
    return HFONT(GetStockObject(DEFAULT_GUI_FONT));
}

// The text before a tab, and the part after it (an accelerator, drawn right).
std::pair<std::wstring, std::wstring> SplitAtTab(const std::wstring& text) {
    const size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos)
        return {text, L""};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

int TextWidth(HDC dc, const std::wstring& text) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return r.right - r.left;
}

void DrawCheck(HDC dc, const RECT& item, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    const int cx = item.left + kCheckColumn / 2, cy = (item.top + item.bottom) / 2;
    MoveToEx(dc, cx - 4, cy, nullptr);
    LineTo(dc, cx - 1, cy + 3);
    LineTo(dc, cx + 5, cy - 4);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawArrow(HDC dc, const RECT& item, COLORREF colour) {
    const int x = item.right - kArrowColumn / 2 - 2, cy = (item.top + item.bottom) / 2;
    const POINT points[] = {{x, cy - 4}, {x + 4, cy}, {x, cy + 4}};
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, points, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawItem(HDC dc, const MenuItem& item, const RECT& r, bool highlighted) {
    if ((item.flags & MF_SEPARATOR) != 0) {
        const int y = (r.top + r.bottom) / 2;
        RECT line{r.left + 2, y, r.right - 2, y + 1};
        FillRect(dc, &line, ThemeBrush(kTheme.edge));
        return;
    }
    FillSolidRect(dc, &r, highlighted ? kTheme.selection : kTheme.face);
    const bool greyed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    const COLORREF colour = greyed        ? kTheme.grayText
                            : highlighted ? kTheme.selectionText
                                          : kTheme.text;
    SetTextColor(dc, colour);
    const auto [label, accelerator] = SplitAtTab(item.text);
    RECT text{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
    DrawTextW(dc, label.c_str(), int(label.size()), &text, DT_SINGLELINE | DT_VCENTER);
    if (!accelerator.empty())
        DrawTextW(dc, accelerator.c_str(), int(accelerator.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    if ((item.flags & MF_CHECKED) != 0)
        DrawCheck(dc, r, colour);
    if (item.subMenu != nullptr)
        DrawArrow(dc, r, colour);
}

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    const MenuLevel* level = LevelOf(hwnd);
    if (dc == nullptr || level == nullptr) {
        EndPaint(hwnd, &ps);
        return 0;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    FillSolidRect(dc, &client, kTheme.face);
    FrameRect(dc, &client, ThemeBrush(kTheme.edge));
    HGDIOBJ oldFont = SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < level->items.size(); ++i)
        DrawItem(dc, level->items[i], level->rects[i], int(i) == level->highlight);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

bool IsMenuItemSelectable(const MenuItem& item) {
    return (item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) == 0;
}

void LayOutMenuLevel(MenuLevel& level) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int itemHeight = std::max<int>(tm.tmHeight + 6, 18);
    int width = kMinimumWidth;
    for (const MenuItem& item : level.items) {
        const auto [label, accelerator] = SplitAtTab(item.text);
        const int gap = accelerator.empty() ? 0 : TextWidth(dc, accelerator) + 16;
        width = std::max(width, kCheckColumn + TextWidth(dc, label) + gap + kArrowColumn);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    level.rects.clear();
    int y = kBorder;
    for (const MenuItem& item : level.items) {
        const int h = (item.flags & MF_SEPARATOR) != 0 ? kSeparatorHeight : itemHeight;
        level.rects.push_back(RECT{kBorder, y, kBorder + width, y + h});
        y += h;
    }
    level.size = SIZE{width + 2 * kBorder, y + kBorder};
}

HWND CreateMenuLevelWindow(MenuLevel& level, HWND owner, POINT origin) {
    level.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                   kMenuClassName, L"", WS_POPUP, origin.x, origin.y, level.size.cx,
                                   level.size.cy, owner, nullptr, nullptr, nullptr);
    if (level.window == nullptr)
        return nullptr;
    SetWindowLongPtr(level.window, 0, LONG_PTR(&level));
    ShowWindow(level.window, SW_SHOWNA);
    return level.window;
}

int MenuItemAt(const MenuLevel& level, POINT client) {
    for (size_t i = 0; i < level.rects.size(); ++i)
        if (PtInRect(&level.rects[i], client))
            return int(i);
    return -1;
}

LRESULT MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint(hwnd);
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}
