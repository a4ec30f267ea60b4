// The plain tooltip ("tooltips_class32"): a small topmost popup that shows a
// tool's text below the cursor. Its owner registers tools (a window, by
// handle with TTF_IDISHWND, or a rectangle of a window's client area) and
// relays its mouse messages (TTM_RELAYEVENT). When the cursor rests on a
// tool for the initial delay (500 ms, on the window timers' clock) the tip
// appears; it goes after the autopop delay (5000 ms), when the cursor leaves
// the tool, or on a button press, after which it stays away until the
// cursor has left the tool. A tool's text may be a callback
// (LPSTR_TEXTCALLBACKW): the tooltip asks the tool's window for it with
// TTN_GETDISPINFOW just before showing, and an empty answer shows nothing.
// Tips show only while the tooltip is active (TTM_ACTIVATE) and, without
// TTS_ALWAYSTIP, while the owner's window is the active one. The tip window
// is transparent to the mouse. Tools are not subclassed: TTF_SUBCLASS is
// ignored, so the owner must relay.
#pragma once

#include "platform/user/CommonControls.h"

inline const wchar_t* const TOOLTIPS_CLASSW = L"tooltips_class32";

inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;

inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_SUBCLASS = 0x0010;

inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;  // wParam TTDT_*, lParam ms (-1: default)
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;    // lParam MSG*
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTM_ADDTOOLW = WM_USER + 50;  // lParam TOOLINFOW*
inline constexpr UINT TTM_DELTOOLW = WM_USER + 51;
inline constexpr UINT TTM_NEWTOOLRECTW = WM_USER + 52;
inline constexpr UINT TTM_GETTEXTW = WM_USER + 56;  // wParam buffer size, lParam TOOLINFOW*
inline constexpr UINT TTM_UPDATETIPTEXTW = WM_USER + 57;

inline constexpr WPARAM TTDT_AUTOMATIC = 0;
inline constexpr WPARAM TTDT_RESHOW = 1;
inline constexpr WPARAM TTDT_AUTOPOP = 2;
inline constexpr WPARAM TTDT_INITIAL = 3;

inline constexpr UINT TTN_FIRST = UINT(-520);
inline constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;
inline constexpr UINT TTN_SHOW = TTN_FIRST - 1;
inline constexpr UINT TTN_POP = TTN_FIRST - 2;

inline wchar_t* const LPSTR_TEXTCALLBACKW = reinterpret_cast<wchar_t*>(intptr_t(-1));

struct TOOLINFOW {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;     // the window that holds the tool (and hears TTN_GETDISPINFOW)
    UINT_PTR uId;  // the tool's window with TTF_IDISHWND, else an id of the owner's choice
    RECT rect;     // in hwnd's client coordinates, without TTF_IDISHWND
    HINSTANCE hinst;
    wchar_t* lpszText;
    LPARAM lParam;
    void* lpReserved;
};

struct NMTTDISPINFOW {
    NMHDR hdr;  // idFrom: the tool's uId
    wchar_t* lpszText;
    wchar_t szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
