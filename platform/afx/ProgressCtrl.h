// A progress bar object ("msctls_progress32" class; platform/user/ProgressControl.h).
#pragma once

#include "platform/afx/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(short low, short high) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(low, high)); }
    void SetRange32(int low, int high) { SendMessage(PBM_SETRANGE32, WPARAM(low), LPARAM(high)); }
    void GetRange(int& low, int& high) const;
    // Each answers the previous position.
    int SetPos(int pos) { return int(SendMessage(PBM_SETPOS, WPARAM(pos))); }
    int OffsetPos(int delta) { return int(SendMessage(PBM_DELTAPOS, WPARAM(delta))); }
    int StepIt() { return int(SendMessage(PBM_STEPIT)); }
    int GetPos() const { return int(SendMessage(PBM_GETPOS)); }
    int SetStep(int step) { return int(SendMessage(PBM_SETSTEP, WPARAM(step))); }
    COLORREF SetBarColor(COLORREF c) {
        return COLORREF(SendMessage(PBM_SETBARCOLOR, 0, LPARAM(c)));
    }
    COLORREF SetBkColor(COLORREF c) { return COLORREF(SendMessage(PBM_SETBKCOLOR, 0, LPARAM(c))); }

    DECLARE_DYNAMIC(CProgressCtrl)
};
