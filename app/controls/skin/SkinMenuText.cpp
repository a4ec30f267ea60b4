#include "app/controls/skin/SkinMenuText.h"

#include "app/controls/skin/SkinSupport.h"

BEGIN_MESSAGE_MAP(CSkinMenuText, CCommandForwardingStatic)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_CTLCOLOR()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

void CSkinMenuText::SetText(CString text, COLORREF textColour, COLORREF) {
    m_text = text;
    m_textColour = textColour;
}

void CSkinMenuText::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CPen edge(PS_SOLID, 1, RGB(34, 34, 34));
    CPen* oldPen = dc.SelectObject(&edge);
    dc.MoveTo(client.left, client.top);
    dc.LineTo(client.left, client.bottom);
    if (m_text.IsEmpty()) {
        dc.SelectObject(oldPen);
        return;
    }
    CBrush fill(m_bHover ? RGB(255, 124, 43) : RGB(0, 0, 0));
    // Outlined in the separator's dark grey: a light outline boxed each label
    // off against the dark top bar.
    CPen frame(PS_SOLID, 1, RGB(34, 34, 34));
    dc.SelectObject(&frame);
    CBrush* oldBrush = dc.SelectObject(&fill);
    dc.Rectangle(&client);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    CRect text = client;
    text.DeflateRect(1, 1);
    const HGDIOBJ oldFont = SelectParentFont(*this, dc);
    dc.SetTextColor(m_textColour);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(m_text, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreFont(dc, oldFont);
}

void CSkinMenuText::OnMouseMove(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        if (m_bHover)
            return;
        m_bHover = TRUE;
        RepaintNow(*this);
        SetCapture();
    } else if (m_bHover) {
        m_bHover = FALSE;
        RepaintNow(*this);
        ::ReleaseCapture();
    }
}

void CSkinMenuText::OnLButtonDown(UINT, CPoint) {
    m_bHover = FALSE;
    ::ReleaseCapture();
    RepaintNow(*this);
    ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), LPARAM(m_hWnd));
}

void CSkinMenuText::OnCaptureChanged(CWnd*) {
    // Lit labels hold the capture; losing it to another window un-lights the
    // label, so that the next move over it captures it again.
    if (!m_bHover)
        return;
    m_bHover = FALSE;
    RepaintNow(*this);
}

HBRUSH CSkinMenuText::OnCtlColor(CDC* dc, CWnd*, UINT) {
    Default();
    dc->SetBkMode(TRANSPARENT);
    return HBRUSH(::GetStockObject(HOLLOW_BRUSH));
}
