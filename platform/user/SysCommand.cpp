#include "platform/user/SysCommand.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Input.h"
#include "platform/user/Messages.h"
#include "platform/user/Messaging.h"
#include "platform/user/NonClient.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowApi.h"

namespace {

struct Drag {
    HWND hwnd;
    WPARAM edge;  // WMSZ_*, 0 for a move
    POINT start;
    RECT original;
    POINT minSize;
};

bool Has(WPARAM edge, WPARAM a, WPARAM b, WPARAM c) {
    return edge == a || edge == b || edge == c;
}

RECT Follow(const Drag& d, POINT pt) {
    const LONG dx = pt.x - d.start.x;
    const LONG dy = pt.y - d.start.y;
    RECT r = d.original;
    if (d.edge == 0) {
        OffsetRect(&r, dx, dy);
        return r;
    }
    if (Has(d.edge, WMSZ_LEFT, WMSZ_TOPLEFT, WMSZ_BOTTOMLEFT))
        r.left = std::min(r.left + dx, r.right - d.minSize.x);
    if (Has(d.edge, WMSZ_RIGHT, WMSZ_TOPRIGHT, WMSZ_BOTTOMRIGHT))
        r.right = std::max(r.right + dx, r.left + d.minSize.x);
    if (Has(d.edge, WMSZ_TOP, WMSZ_TOPLEFT, WMSZ_TOPRIGHT))
        r.top = std::min(r.top + dy, r.bottom - d.minSize.y);
    if (Has(d.edge, WMSZ_BOTTOM, WMSZ_BOTTOMLEFT, WMSZ_BOTTOMRIGHT))
        r.bottom = std::max(r.bottom + dy, r.top + d.minSize.y);
    return r;
}

void Place(const Drag& d, RECT r) {
    SendMessage(d.hwnd, d.edge == 0 ? WM_MOVING : WM_SIZING, d.edge, LPARAM(&r));
    // Child windows are placed in their parent's client coordinates.
    POINT origin{r.left, r.top};
    if (HWND parent = GetParent(d.hwnd);
        parent != nullptr && GetAncestor(d.hwnd, GA_ROOT) != d.hwnd)
        ScreenToClient(parent, &origin);
    SetWindowPos(d.hwnd, nullptr, origin.x, origin.y, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT MinTrackSize(HWND hwnd) {
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&info));
    return info.ptMinTrackSize;
}

// Follows the mouse until the left button comes up. Returns on WM_QUIT too,
// putting it back for the loop outside.
void RunDrag(Drag& d) {
    MSG msg{};
    for (;;) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        if (GetCapture() != d.hwnd)
            return;
        switch (msg.message) {
            case WM_MOUSEMOVE:
                Place(d, Follow(d, msg.pt));
                break;
            case WM_LBUTTONUP:
                Place(d, Follow(d, msg.pt));
                return;
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) {
                    Place(d, d.original);
                    return;
                }
                break;
            default:
                TranslateMessage(&msg);
                DispatchMessage(&msg);
        }
    }
}

void SizeOrMove(HWND hwnd, WPARAM edge, LPARAM lParam) {
    if (!IsMouseButtonDown(VK_LBUTTON) || IsZoomed(hwnd) || IsIconic(hwnd))
        return;
    Drag d{hwnd, edge, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, {}, MinTrackSize(hwnd)};
    GetWindowRect(hwnd, &d.original);
    SetCapture(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    RunDrag(d);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace

LRESULT DefSysCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
        case SC_SIZE:
            SizeOrMove(hwnd, command & 0x000F, lParam);
            break;
        case SC_MOVE:
            SizeOrMove(hwnd, 0, lParam);
            break;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        case SC_CLOSE:
            SendMessage(hwnd, WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
    return 0;
}

void TrackCaptionBox(HWND hwnd, LRESULT hit) {
    if (!IsMouseButtonDown(VK_LBUTTON))
        return;
    SetCapture(hwnd);
    MSG msg{};
    POINT released{};
    for (;;) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        if (GetCapture() != hwnd)
            return;
        if (msg.message == WM_LBUTTONUP) {
            released = msg.pt;
            break;
        }
        if (msg.message != WM_MOUSEMOVE)
            DispatchMessage(&msg);
    }
    ReleaseCapture();
    if (SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(released.x, released.y)) != hit)
        return;
    const WPARAM command = hit == HTCLOSE       ? SC_CLOSE
                           : hit == HTMINBUTTON ? SC_MINIMIZE
                           : IsZoomed(hwnd)     ? SC_RESTORE
                                                : SC_MAXIMIZE;
    SendMessage(hwnd, WM_SYSCOMMAND, command, MAKELPARAM(released.x, released.y));
}
