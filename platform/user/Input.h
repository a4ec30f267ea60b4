// Input: what the display injects (any thread, never blocks), the key and
// cursor state that window procedures read, and cursors.
//
// Injected input is queued on the thread that owns the window concerned (the
// capture holder, else the top-level window under the cursor for the mouse,
// the foreground window for keys) and becomes messages when that thread next
// retrieves one: WM_NCHITTEST decides the window (HTTRANSPARENT passes the
// point on to what lies beneath), WM_MOUSEACTIVATE and activation follow a
// press, WM_SETCURSOR lets the window choose the cursor, and then come client
// messages (client coordinates, MK_ flags) or non-client ones (screen
// coordinates, the hit code). A second press within the double-click time and
// distance becomes a double click for windows whose class has CS_DBLCLKS (in
// the non-client area always). Presses on a disabled top-level window (one
// with a modal dialog open) are dropped.
#pragma once

#include <string>

#include "platform/user/RawInput.h"
#include "platform/user/UserTypes.h"

void InjectMouseMove(POINT screen);
void InjectMouseButton(MouseButton button, bool down, POINT screen);
void InjectMouseWheel(int delta, POINT screen);
// A key; `typed` says the display delivers its characters itself with
// InjectText (TranslateMessage then makes none from the virtual key).
void InjectKey(UINT vk, bool down, bool typed = false);
// Characters the keyboard layout or the input method produced: WM_CHAR
// messages to the keyboard focus, in order with the keys.
void InjectText(const std::wstring& text);
// The display (a window manager, say) put a top-level window's top-left
// corner at `screen`. The window system's rectangle follows at once, so that
// input is mapped through the real place, and the window hears
// WM_WINDOWPOSCHANGED and WM_MOVE on its own thread.
void InjectTopLevelMoved(HWND topLevel, POINT screen);
// The display gave a top-level window another size (a window manager's
// resize or maximise): its corner follows at once, as for a move, and the
// owning thread then places the window at `screen` with SetWindowPos, so it
// hears WM_SIZE and lays itself out. Ignored while the window is minimised.
void InjectTopLevelResized(HWND topLevel, const RECT& screen);
// The application as a whole gained or lost the user (WM_ACTIVATEAPP).
void InjectAppActivation(bool active);

// State as of the message being handled (0x8000 when down).
short GetKeyState(int vk);
// State as injected, now.
short GetAsyncKeyState(int vk);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
UINT GetDoubleClickTime();
// Inside the window system: a mouse button is down as of the message being handled.
bool IsMouseButtonDown(UINT vk);

// System cursors (IDC_*) are loaded with a null instance.
inline const wchar_t* const IDC_ARROW = reinterpret_cast<const wchar_t*>(uintptr_t(32512));
inline const wchar_t* const IDC_IBEAM = reinterpret_cast<const wchar_t*>(uintptr_t(32513));
inline const wchar_t* const IDC_WAIT = reinterpret_cast<const wchar_t*>(uintptr_t(32514));
inline const wchar_t* const IDC_CROSS = reinterpret_cast<const wchar_t*>(uintptr_t(32515));
inline const wchar_t* const IDC_SIZENWSE = reinterpret_cast<const wchar_t*>(uintptr_t(32642));
inline const wchar_t* const IDC_SIZENESW = reinterpret_cast<const wchar_t*>(uintptr_t(32643));
inline const wchar_t* const IDC_SIZEWE = reinterpret_cast<const wchar_t*>(uintptr_t(32644));
inline const wchar_t* const IDC_SIZENS = reinterpret_cast<const wchar_t*>(uintptr_t(32645));
inline const wchar_t* const IDC_SIZEALL = reinterpret_cast<const wchar_t*>(uintptr_t(32646));
inline const wchar_t* const IDC_NO = reinterpret_cast<const wchar_t*>(uintptr_t(32648));
inline const wchar_t* const IDC_HAND = reinterpret_cast<const wchar_t*>(uintptr_t(32649));

// The same handle for the same cursor each time; null for an unknown one.
HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name);
inline HCURSOR LoadCursor(HINSTANCE i, const wchar_t* n) {
    return LoadCursorW(i, n);
}
// Sets the cursor shape (the display shows it); returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
