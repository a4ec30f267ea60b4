// A date-time picker object ("SysDateTimePick32" class;
// platform/user/DateTimeControl.h), with times as SYSTEMTIME.
#pragma once

#include "platform/afx/Wnd.h"

class CDateTimeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Null restores the default format.
    BOOL SetFormat(const wchar_t* format) {
        return BOOL(SendMessage(DTM_SETFORMATW, 0, LPARAM(format)));
    }
    // GDT_VALID with the time filled in.
    DWORD GetTime(SYSTEMTIME* time) const {
        return DWORD(SendMessage(DTM_GETSYSTEMTIME, 0, LPARAM(time)));
    }
    // FALSE for a time outside the range.
    BOOL SetTime(const SYSTEMTIME* time) {
        return BOOL(SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(time)));
    }
    // A null end leaves that side open.
    BOOL SetRange(const SYSTEMTIME* min, const SYSTEMTIME* max);
    // GDTR_MIN and GDTR_MAX for the ends that were set.
    DWORD GetRange(SYSTEMTIME* min, SYSTEMTIME* max) const;

    DECLARE_DYNAMIC(CDateTimeCtrl)
};
