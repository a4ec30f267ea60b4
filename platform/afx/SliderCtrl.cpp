#include "platform/afx/SliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(TRACKBAR_CLASSW, nullptr, style, rect, parent, id);
}

void CSliderCtrl::GetRange(int& min, int& max) const {
    min = GetRangeMin();
    max = GetRangeMax();
}

// Both ends as full integers: the packed TBM_SETRANGE carries only 16 bits each.
void CSliderCtrl::SetRange(int min, int max, BOOL redraw) {
    SendMessage(TBM_SETRANGEMIN, FALSE, LPARAM(min));
    SendMessage(TBM_SETRANGEMAX, WPARAM(redraw), LPARAM(max));
}
