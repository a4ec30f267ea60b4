// Windows: creation and destruction, the links between them, their state.
// A stale handle makes every function here fail harmlessly (FALSE, 0 or null).
//
// Thread rules: CreateWindowEx makes a window owned by the calling thread;
// DestroyWindow works only on the owner thread (FALSE elsewhere). The other
// functions may be called from any thread; those that send messages
// (SetWindowText, ShowWindow, EnableWindow...) send them to the owner.
#pragma once

#include "platform/user/Messages.h"
#include "platform/user/Styles.h"
#include "platform/user/UserTypes.h"

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                     DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, void* param);
inline HWND CreateWindowEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                           DWORD style, int x, int y, int width, int height, HWND parent,
                           HMENU menu, HINSTANCE instance, void* param) {
    return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                           instance, param);
}
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// Called on the creating thread for each window it makes, after the handle
// exists and before the window's first message; the framework subclasses its
// windows here. Null removes the hook.
using WindowCreateHook = void (*)(HWND hwnd, void* context);
void SetWindowCreateHook(WindowCreateHook hook, void* context);

// The default processing of every message (non-client area, system commands,
// painting defaults, cursor, text).
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, m, w, l);
}

// Links. GetParent gives the parent of a child window and the owner of a popup.
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetAncestor(HWND hwnd, UINT kind);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);

// State.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL SetWindowTextW(HWND hwnd, const wchar_t* text);
int GetWindowTextW(HWND hwnd, wchar_t* buffer, int size);
int GetWindowTextLengthW(HWND hwnd);
inline BOOL SetWindowText(HWND h, const wchar_t* t) {
    return SetWindowTextW(h, t);
}
inline int GetWindowText(HWND h, wchar_t* b, int n) {
    return GetWindowTextW(h, b, n);
}
inline int GetWindowTextLength(HWND h) {
    return GetWindowTextLengthW(h);
}
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLongPtr(HWND h, int i) {
    return GetWindowLongPtrW(h, i);
}
inline LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v) {
    return SetWindowLongPtrW(h, i, v);
}
inline LONG GetWindowLong(HWND h, int i) {
    return LONG(GetWindowLongPtrW(h, i));
}
inline LONG SetWindowLong(HWND h, int i, LONG v) {
    return LONG(SetWindowLongPtrW(h, i, v));
}

// The window region, in window coordinates: it clips the window's painting,
// its hit testing and (for a top-level window) what the screen shows of it.
// Once the call succeeds the window owns the region given and deletes it when
// replaced or destroyed; the caller must not use it afterwards (after a
// failure the caller still owns it). Null removes the region. A region
// equal to the present one changes nothing and repaints nothing.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window region into the caller's `region`; RGN_ERROR without one.
int GetWindowRgn(HWND hwnd, HRGN region);

// Per-window alpha of a WS_EX_LAYERED top-level window (LWA_ALPHA); the
// colour key is accepted and not used.
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
