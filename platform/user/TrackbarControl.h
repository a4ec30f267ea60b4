// The trackbar ("msctls_trackbar32"), horizontal: a channel with a thumb
// standing on a position of a range (0..100 until set). The parent hears of
// every move by WM_HSCROLL (low word: the TB_* code; high word: the position
// for TB_THUMBTRACK and TB_THUMBPOSITION; lParam: the trackbar):
// - a press on the thumb drags it (TB_THUMBTRACK on each move,
//   TB_THUMBPOSITION at the release); a press on the channel beside the thumb
//   moves one page towards the press (TB_PAGEUP, TB_PAGEDOWN);
// - the arrow keys move one line, Page Up and Page Down one page, Home and
//   End to the ends (TB_LINEUP ... TB_BOTTOM);
// - each release of the mouse button or of such a key ends with TB_ENDTRACK,
//   and a release of the mouse also sends NM_RELEASEDCAPTURE (WM_NOTIFY).
// Setting the position by message notifies nothing. Painting asks the
// parent for colours with WM_CTLCOLORSTATIC.
#pragma once

#include "platform/user/CommonControls.h"

inline const wchar_t* const TRACKBAR_CLASSW = L"msctls_trackbar32";

inline constexpr DWORD TBS_AUTOTICKS = 0x0001;
inline constexpr DWORD TBS_HORZ = 0x0000;
inline constexpr DWORD TBS_NOTICKS = 0x0010;
inline constexpr DWORD TBS_BOTH = 0x0008;

inline constexpr UINT TBM_GETPOS = WM_USER;
inline constexpr UINT TBM_GETRANGEMIN = WM_USER + 1;
inline constexpr UINT TBM_GETRANGEMAX = WM_USER + 2;
inline constexpr UINT TBM_SETPOS = WM_USER + 5;       // wParam redraw, lParam position
inline constexpr UINT TBM_SETRANGE = WM_USER + 6;     // wParam redraw, lParam MAKELPARAM(min, max)
inline constexpr UINT TBM_SETRANGEMIN = WM_USER + 7;  // wParam redraw, lParam minimum
inline constexpr UINT TBM_SETRANGEMAX = WM_USER + 8;  // wParam redraw, lParam maximum
inline constexpr UINT TBM_SETPAGESIZE = WM_USER + 21;
inline constexpr UINT TBM_GETPAGESIZE = WM_USER + 22;
inline constexpr UINT TBM_SETLINESIZE = WM_USER + 23;
inline constexpr UINT TBM_GETLINESIZE = WM_USER + 24;
inline constexpr UINT TBM_GETTHUMBRECT = WM_USER + 25;    // lParam RECT*
inline constexpr UINT TBM_GETCHANNELRECT = WM_USER + 26;  // lParam RECT*

inline constexpr UINT TB_LINEUP = 0;
inline constexpr UINT TB_LINEDOWN = 1;
inline constexpr UINT TB_PAGEUP = 2;
inline constexpr UINT TB_PAGEDOWN = 3;
inline constexpr UINT TB_THUMBPOSITION = 4;
inline constexpr UINT TB_THUMBTRACK = 5;
inline constexpr UINT TB_TOP = 6;
inline constexpr UINT TB_BOTTOM = 7;
inline constexpr UINT TB_ENDTRACK = 8;
