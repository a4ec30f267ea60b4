#include "app/controls/skin/SkinSlider.h"

#include "app/controls/skin/SliderParts.h"

BEGIN_MESSAGE_MAP(CSkinSlider, CButton)
ON_WM_SETCURSOR()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

void CSkinSlider::SetRange(int min, int max) {
    m_nMin = min;
    m_nMax = max;
    Invalidate(TRUE);
}

void CSkinSlider::GetRange(int* max, int* min) const {
    *max = m_nMax;
    *min = m_nMin;
}

void CSkinSlider::SetPos(int pos) {
    m_nPos = pos;
    Invalidate(TRUE);
}

void CSkinSlider::DrawItem(DRAWITEMSTRUCT* dis) {
    CRect client;
    GetClientRect(&client);
    DrawParts(dis->hDC, client.Width(), client.Height());
}

void CSkinSlider::OnCaptureChanged(CWnd*) {
    // The mouse went to another window mid-drag (WM_CANCELMODE, a menu, a
    // message box): the drag ends where the thumb stands, so that later moves
    // without a press do not drag it.
    if (m_bDragging) {
        m_bDragging = FALSE;
        DragInterrupted();
    }
    Default();
}

void CSkinSlider::PreSubclassWindow() {
    m_hCursor = ::LoadCursor(nullptr, IDC_HAND);
}

void CSkinSlider::RedrawNow() {
    CRect client;
    GetClientRect(&client);
    HDC dc = ::GetDC(m_hWnd);
    if (dc == nullptr)
        return;
    DrawParts(dc, client.Width(), client.Height());
    ::ReleaseDC(m_hWnd, dc);
}

int CSkinSlider::PositionAt(CPoint point) const {
    return slider::PositionFromX(point.x, m_nSpan, m_nMin, m_nMax);
}

void CSkinSlider::PostToMain(UINT message, int position) const {
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(message, WPARAM(GetDlgCtrlID()), LPARAM(position));
}

BOOL CSkinSlider::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_hCursor == nullptr)
        return FALSE;
    ::SetCursor(m_hCursor);
    return TRUE;
}
