#include "platform/user/Placement.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/Geometry.h"
#include "platform/user/NonClient.h"
#include "platform/user/WindowTable.h"

namespace {

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
    // Borders lie just outside the screen, so the caption and client fill it.
    const RECT t = FrameThickness(w->style, w->exStyle);
    *target = RECT{-t.left, -t.left, GetSystemMetrics(SM_CXSCREEN) + t.right,
                   GetSystemMetrics(SM_CYSCREEN) + t.bottom};
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
