// The date-time picker ("SysDateTimePick32"): a date and time shown in a
// format of fields (DTM_SETFORMAT; DateTimeFormat.h), edited in place. One
// field at a time is selected: a press on it or Left and Right choose it;
// Up and Down (or the spin buttons at the right) step it, wrapping within
// the field; digits type a new value, moving on once the field is full. The
// time is kept within the range (DTM_SETRANGE); a time set from outside it
// is refused. Every change made by the user goes to the parent as
// DTN_DATETIMECHANGE (WM_NOTIFY, NMDATETIMECHANGE); changes by message are
// not reported. Without a format the date shows as "M/d/yyyy", with
// DTS_TIMEFORMAT the time as "H:mm:ss". Painting asks the parent for colours
// with WM_CTLCOLOREDIT. WM_GETTEXT gives the text shown.
#pragma once

#include "platform/base/SystemTime.h"
#include "platform/user/CommonControls.h"

inline const wchar_t* const DATETIMEPICK_CLASSW = L"SysDateTimePick32";

inline constexpr DWORD DTS_UPDOWN = 0x0001;
inline constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
inline constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
inline constexpr DWORD DTS_TIMEFORMAT = 0x0009;

inline constexpr UINT DTM_FIRST = 0x1000;
inline constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;  // lParam SYSTEMTIME*; answers GDT_VALID
inline constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;  // wParam GDT_VALID, lParam SYSTEMTIME*
inline constexpr UINT DTM_GETRANGE = DTM_FIRST + 3;       // lParam SYSTEMTIME[2]; answers GDTR_*
inline constexpr UINT DTM_SETRANGE = DTM_FIRST + 4;       // wParam GDTR_*, lParam SYSTEMTIME[2]
inline constexpr UINT DTM_SETFORMATW = DTM_FIRST + 50;    // lParam the format, null: the default

inline constexpr LRESULT GDT_ERROR = -1;
inline constexpr LRESULT GDT_VALID = 0;
inline constexpr LRESULT GDT_NONE = 1;
inline constexpr WPARAM GDTR_MIN = 0x0001;
inline constexpr WPARAM GDTR_MAX = 0x0002;

inline constexpr UINT DTN_FIRST2 = UINT(-753);
inline constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST2 - 6;

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags;  // GDT_VALID
    SYSTEMTIME st;
};
