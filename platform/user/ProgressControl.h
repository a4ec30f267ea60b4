// The progress bar ("msctls_progress32"): a bar filling from the left in
// proportion to its position within its range (0..100 until set). Positions
// are kept inside the range; stepping past the end starts again at the low
// end. It takes no input.
#pragma once

#include "platform/user/CommonControls.h"

inline const wchar_t* const PROGRESS_CLASSW = L"msctls_progress32";

inline constexpr UINT PBM_SETRANGE = WM_USER + 1;  // lParam: MAKELPARAM(low, high)
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;  // wParam low, lParam high
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;    // wParam TRUE: low, else high; lParam PBRANGE*
inline constexpr UINT PBM_GETPOS = WM_USER + 8;
inline constexpr UINT PBM_SETBARCOLOR = WM_USER + 9;
inline constexpr UINT PBM_SETBKCOLOR = CCM_SETBKCOLOR;

struct PBRANGE {
    int iLow;
    int iHigh;
};
