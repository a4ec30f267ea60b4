// Where windows are: rectangles, coordinate mapping, moving and sizing, the
// z-order, and which window lies under a point. Any thread may call these;
// position changes send WM_WINDOWPOSCHANGING/WM_WINDOWPOSCHANGED (whose
// default processing sends WM_MOVE and WM_SIZE) to the owner thread.
//
// Top-level windows are positioned in screen coordinates, child windows in
// their parent's client coordinates. A child is clipped to its parent's
// client area.
#pragma once

#include "platform/user/UserTypes.h"

BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height)
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
// From `from`'s to `to`'s client coordinates; null stands for the screen.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL BringWindowToTop(HWND hwnd);

// The window style's frame around a client rectangle.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// The deepest shown, enabled window under a screen point whose WM_NCHITTEST
// does not answer HTTRANSPARENT (those let the point through to what lies
// beneath). Window regions count. `hit` receives the hit-test code.
HWND WindowFromPointEx(POINT screen, LRESULT* hit);
inline HWND WindowFromPoint(POINT screen) {
    return WindowFromPointEx(screen, nullptr);
}
// The topmost child of `parent` whose rectangle (and region) holds the point
// given in `parent`'s client coordinates; `parent` itself when none does,
// null when the point lies outside it.
HWND ChildWindowFromPoint(HWND parent, POINT client);

// Sends WM_SIZE and WM_MOVE with the window's present client size and place.
void SendSizeAndMove(HWND hwnd);
