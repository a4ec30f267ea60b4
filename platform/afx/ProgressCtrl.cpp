#include "platform/afx/ProgressCtrl.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(PROGRESS_CLASSW, nullptr, style, rect, parent, id);
}

void CProgressCtrl::GetRange(int& low, int& high) const {
    PBRANGE range{};
    SendMessage(PBM_GETRANGE, TRUE, LPARAM(&range));
    low = range.iLow;
    high = range.iHigh;
}
