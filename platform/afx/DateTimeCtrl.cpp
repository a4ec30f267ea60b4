#include "platform/afx/DateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(DATETIMEPICK_CLASSW, nullptr, style, rect, parent, id);
}

BOOL CDateTimeCtrl::SetRange(const SYSTEMTIME* min, const SYSTEMTIME* max) {
    SYSTEMTIME range[2] = {};
    WPARAM which = 0;
    if (min != nullptr) {
        range[0] = *min;
        which |= GDTR_MIN;
    }
    if (max != nullptr) {
        range[1] = *max;
        which |= GDTR_MAX;
    }
    return BOOL(SendMessage(DTM_SETRANGE, which, LPARAM(range)));
}

DWORD CDateTimeCtrl::GetRange(SYSTEMTIME* min, SYSTEMTIME* max) const {
    SYSTEMTIME range[2] = {};
    const DWORD which = DWORD(SendMessage(DTM_GETRANGE, 0, LPARAM(range)));
    if (min != nullptr)
        *min = range[0];
    if (max != nullptr)
        *max = range[1];
    return which;
}
