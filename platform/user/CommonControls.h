// What the common controls (list view, trackbar, progress bar, date-time
// picker, tooltip) share: the notification codes every one of them may send
// in WM_NOTIFY, the colour message they answer, with the documented values of
// the window system we stand in for.
#pragma once

#include "platform/user/Messages.h"
#include "platform/user/UserTypes.h"

inline constexpr UINT NM_CLICK = UINT(-2);
inline constexpr UINT NM_DBLCLK = UINT(-3);
inline constexpr UINT NM_RETURN = UINT(-4);
inline constexpr UINT NM_RCLICK = UINT(-5);
inline constexpr UINT NM_SETFOCUS = UINT(-7);
inline constexpr UINT NM_KILLFOCUS = UINT(-8);
inline constexpr UINT NM_RELEASEDCAPTURE = UINT(-16);

// Colours set on a control that otherwise draws with the system's.
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;
inline constexpr UINT CCM_SETBKCOLOR = 0x2001;

// Makes the common control classes available; they always are.
inline void InitCommonControls() {}

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;  // the classes asked for (ICC_...)
};
inline constexpr DWORD ICC_WIN95_CLASSES = 0xFF;
inline BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) {
    return TRUE;
}
