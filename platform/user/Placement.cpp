#include "platform/user/Placement.h"

#include <algorithm>
#include <mutex>

#include "platform/gdi/Gdi.h"
#include "platform/user/Geometry.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"

namespace {

std::mutex g_workAreaLock;
RECT g_workArea{};  // empty: the whole screen

constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// Updates the state bits and returns the rectangle to go to. Lock taken inside.
bool Enter(HWND hwnd, DWORD set, RECT* target, bool keepRestoreRect = false) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || (w->style & set) != 0)
        return false;
    if ((w->style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0 && !keepRestoreRect)
        w->restoreRect = w->rect;
    w->restoreMaximized = set == WS_MINIMIZE && (w->style & WS_MAXIMIZE) != 0;
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | set;
    if (set == WS_MINIMIZE) {
        const int width = GetSystemMetrics(SM_CXMIN);
        const int height = GetSystemMetrics(SM_CYMIN);
        *target = RECT{-32000, -32000, -32000 + width, -32000 + height};
        return true;
    }
    // The whole window, borders included, fills the work area: a desktop's
    // panels stay uncovered and nothing of the window lies off the screen.
    *target = WorkArea();
    return true;
}

void MoveTo(HWND hwnd, const RECT& r) {
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, kPlace);
}

}  // namespace

void MinimizeWindow(HWND hwnd) {
    RECT r{};
    if (Enter(hwnd, WS_MINIMIZE, &r))
        MoveTo(hwnd, r);
}

void MaximizeWindow(HWND hwnd) {
    RECT r{};
    if (Enter(hwnd, WS_MAXIMIZE, &r))
        MoveTo(hwnd, r);
}

void RestoreWindow(HWND hwnd) {
    RECT r{};
    bool toMaximized = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr || (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0)
            return;
        toMaximized = (w->style & WS_MINIMIZE) != 0 && w->restoreMaximized;
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        w->restoreMaximized = false;
        r = w->restoreRect;
    }
    if (toMaximized && Enter(hwnd, WS_MAXIMIZE, &r, true)) {
        MoveTo(hwnd, r);
        return;
    }
    MoveTo(hwnd, r);
}

void SetWorkArea(const RECT& area) {
    std::lock_guard lock(g_workAreaLock);
    g_workArea = area;
}

RECT WorkArea() {
    {
        std::lock_guard lock(g_workAreaLock);
        if (!IsRectEmpty(&g_workArea))
            return g_workArea;
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT KeptOnWorkArea(RECT window) {
    const RECT area = WorkArea();
    const LONG x =
        std::max(area.left, std::min(window.left, area.right - (window.right - window.left)));
    const LONG y =
        std::max(area.top, std::min(window.top, area.bottom - (window.bottom - window.top)));
    OffsetRect(&window, x - window.left, y - window.top);
    return window;
}

void CenterWindowOver(HWND hwnd, HWND over) {
    RECT own{};
    if (!GetWindowRect(hwnd, &own))
        return;
    RECT around = WorkArea();
    if (over != nullptr && IsWindowVisible(over) && !IsIconic(over))
        GetWindowRect(over, &around);
    const LONG width = own.right - own.left;
    const LONG height = own.bottom - own.top;
    const LONG x = around.left + ((around.right - around.left) - width) / 2;
    const LONG y = around.top + ((around.bottom - around.top) - height) / 2;
    const RECT kept = KeptOnWorkArea(RECT{x, y, x + width, y + height});
    SetWindowPos(hwnd, nullptr, kept.left, kept.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
