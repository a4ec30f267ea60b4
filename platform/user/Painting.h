// Painting: update regions and the paint cycle. Invalidation works from any
// thread and never blocks (it only marks the region and wakes the owner);
// the owner's message loop then delivers WM_PAINT, parents before children.
// BeginPaint sends WM_NCPAINT when the frame needs it, then WM_ERASEBKGND
// when an erase was asked for, and validates the update region.
//
// Clipping: a window paints inside its parent's client area, never over the
// siblings above it, within its window region and its ancestors' regions, and
// not over its own children when it has WS_CLIPCHILDREN. Invalidating a window
// without WS_CLIPCHILDREN invalidates the children it covers as well, so a
// parent's painting is followed by its children's.
#pragma once

#include "platform/user/Styles.h"
#include "platform/user/UserTypes.h"

// `rect` / `region` in client coordinates; null means the whole client area.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, HRGN region);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);
// Paints now (on the owner thread, through a send) what the window and its
// descendants have pending.
BOOL UpdateWindow(HWND hwnd);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);

// The paint cycle, on the owner thread.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// Contexts over the window's client area (GetDC) or its whole window with the
// frame (GetWindowDC), clipped as above; released with ReleaseDC. GetDC(null)
// gives a context that measures text but shows nothing.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

// Inside the window system, UserMutex() held: invalidates what a window
// covers in its parent and the siblings beneath it (before it moves, hides,
// changes shape or goes).
class Window;
void InvalidateExposedLocked(Window* w);
// Asks the display to present the top-level window of `hwnd` again.
void RequestPresentationOf(HWND hwnd);
