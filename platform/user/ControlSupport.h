// What the standard controls share: a state object per control window, kept
// in its first extra slot (made at WM_NCCREATE, deleted at WM_NCDESTROY);
// notifications to the parent; the window text; the parent's colours; a
// font selected for the length of a paint. Used on the control's thread.
#pragma once

#include <array>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/user/Geometry.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/UserTypes.h"
#include "platform/user/WindowApi.h"

inline constexpr int kControlStateBytes = int(sizeof(LONG_PTR));

template <typename T>
T* StateOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtr(hwnd, 0));
}

template <typename T>
LRESULT CreateStateFor(HWND hwnd, WPARAM, LPARAM) {
    SetWindowLongPtr(hwnd, 0, LONG_PTR(new T()));
    return TRUE;
}

template <typename T>
LRESULT DeleteStateOf(HWND hwnd, WPARAM, LPARAM) {
    delete StateOf<T>(hwnd);
    SetWindowLongPtr(hwnd, 0, 0);
    return 0;
}

using ControlHandler = LRESULT (*)(HWND, WPARAM, LPARAM);

struct ControlEntry {
    UINT message;
    ControlHandler handler;
};

// The handler of `message` in `table`, else the default processing.
template <size_t N>
LRESULT RouteControlMessage(const std::array<ControlEntry, N>& table, HWND hwnd, UINT message,
                            WPARAM wParam, LPARAM lParam) {
    for (const ControlEntry& e : table) {
        if (e.message == message)
            return e.handler(hwnd, wParam, lParam);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// WM_ERASEBKGND of a control whose WM_PAINT fills its whole client area.
inline LRESULT PaintFillsBackground(HWND, WPARAM, LPARAM) {
    return 1;
}

// WM_PAINT that hands the paint context to `Paint`.
template <void (*Paint)(HWND, HDC)>
LRESULT PaintThrough(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    Paint(hwnd, dc);
    EndPaint(hwnd, &ps);
    return 0;
}

// WM_SETFONT and WM_GETFONT of a control whose state T keeps its `font`.
template <typename T>
LRESULT SetStateFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    StateOf<T>(hwnd)->font = HFONT(wParam);
    if (lParam != 0)
        InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

template <typename T>
LRESULT GetStateFont(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(StateOf<T>(hwnd)->font);
}

// WM_COMMAND with `code` to the parent, from the control.
void CommandParent(HWND control, UINT code);
// WM_NOTIFY to the parent with `header` (its first fields filled here).
LRESULT NotifyParent(HWND control, NMHDR* header, UINT code);
LRESULT NotifyParent(HWND control, UINT code);

std::wstring TextOf(HWND hwnd);

// The parent's answer to `message` (a WM_CTLCOLOR* one) for this control,
// with `dc` prepared by it; the default brush when the parent gives none.
HBRUSH ParentColours(HWND control, HDC dc, UINT message);

// Selects a font (when there is one) for one scope.
class ScopedFont {
public:
    ScopedFont(HDC dc, HFONT font);
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Text height of `font` (or the default font) in pixels.
int FontHeight(HFONT font);
