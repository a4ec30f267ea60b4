#include "app/controls/skin/SkinStatic.h"

#include "app/controls/skin/SkinSupport.h"
#include "app/res/ResourceIds.h"

BEGIN_MESSAGE_MAP(CSkinStatic, CCommandForwardingStatic)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSkinStatic::CSkinStatic() : m_hBrushBlack(::CreateSolidBrush(RGB(0, 0, 0))) {}

CSkinStatic::~CSkinStatic() {
    ::DeleteObject(m_hBrushBlack);
}

void CSkinStatic::SetText(CString text, int textLeft, COLORREF textColour, COLORREF fillColour) {
    m_text = text;
    m_textLeft = textLeft;
    m_textColour = textColour;
    m_fillColour = fillColour;
}

BOOL CSkinStatic::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = ::SendMessage(::GetParent(m_hWnd), WM_NOTIFY, wParam, lParam);
    return TRUE;
}

void CSkinStatic::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_bmpBack.GetSafeHandle() != nullptr)
        m_bmpBack.DrawNineSlice(&dc, client, 0, 0);
    if (m_text.IsEmpty())
        return;
    CRect text = client;
    text.left = m_textLeft;
    const HGDIOBJ old = SelectParentFont(*this, dc);
    dc.SetTextColor(m_textColour);
    dc.FillSolidRect(&text, m_fillColour);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(m_text, &text, DT_VCENTER | DT_SINGLELINE);
    RestoreFont(dc, old);
}

HBRUSH CSkinStatic::OnCtlColor(CDC* dc, CWnd* child, UINT) {
    const HBRUSH brush = HBRUSH(Default());
    if (child == nullptr || child->GetDlgCtrlID() != IDC_MAIN_VIDEO)
        return brush;
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(m_fillColour);
    return m_hBrushBlack;
}
