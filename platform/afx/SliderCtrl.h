// A trackbar object ("msctls_trackbar32" class; platform/user/TrackbarControl.h).
#pragma once

#include "platform/afx/Wnd.h"

class CSliderCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetPos() const { return int(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, LPARAM(pos)); }
    int GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }
    void GetRange(int& min, int& max) const;
    void SetRange(int min, int max, BOOL redraw = FALSE);
    void SetRangeMin(int min, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, WPARAM(redraw), LPARAM(min));
    }
    void SetRangeMax(int max, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMAX, WPARAM(redraw), LPARAM(max));
    }
    int SetPageSize(int size) { return int(SendMessage(TBM_SETPAGESIZE, 0, LPARAM(size))); }
    int GetPageSize() const { return int(SendMessage(TBM_GETPAGESIZE)); }
    int SetLineSize(int size) { return int(SendMessage(TBM_SETLINESIZE, 0, LPARAM(size))); }
    int GetLineSize() const { return int(SendMessage(TBM_GETLINESIZE)); }

    DECLARE_DYNAMIC(CSliderCtrl)
};
