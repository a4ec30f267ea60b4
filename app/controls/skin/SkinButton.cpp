#include "app/controls/skin/SkinButton.h"

#include <algorithm>

#include "app/controls/skin/SkinSupport.h"
#include "app/res/ResourceIds.h"

namespace {

// Buttons that open dialogs or menus, which take the mouse away: they give up
// the hover and the capture before their command runs.
constexpr int kModalButtons[] = {
    IDC_MAIN_OPEN_FILE,        IDC_MAIN_OTHER_SETTING, IDC_MAIN_SEARCH_HDD, IDC_MAIN_SEARCH_SD,
    IDC_PLAYBAR_AUDIO_CHANNEL, IDC_PLAYBAR_SNAPSHOT,   IDC_PLAYBAR_EXPORT,  IDC_PLAYBAR_SPLIT};

bool OpensModalUi(int id) {
    return std::find(std::begin(kModalButtons), std::end(kModalButtons), id) !=
           std::end(kModalButtons);
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CSkinButton::ReplaceBitmap(UINT bitmap) {
    m_bitmap.DeleteObject();
    m_bitmap.LoadBitmap(bitmap);
    Invalidate();
}

void CSkinButton::OnPaint() {
    CPaintDC dc(this);
    CSkinBitmap cell;
    m_bitmap.ExtractCell(&cell, m_bHover ? 2 : 1, 1, 2, 1);
    HRGN shape = cell.BitmapToRegion(m_crTransparent, 0);
    if (SetWindowRgn(shape, TRUE) == 0 && shape != nullptr)
        ::DeleteObject(shape);  // the window did not take it
    const CRect rect = cell.GetRect();
    CRgn clip;
    clip.CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(clip) != RGN_ERROR)
        dc.SelectClipRgn(&clip);
    cell.Draw(&dc, &rect);
    dc.SelectClipRgn(nullptr);
    DrawCaption(dc, rect);
}

void CSkinButton::DrawCaption(CDC& dc, const CRect& cell) {
    wchar_t caption[256];
    if (::LoadStringW(nullptr, UINT(GetDlgCtrlID()), caption, 256) == 0)
        return;
    const HGDIOBJ old = SelectParentFont(*this, dc);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    CRect r = cell;
    dc.DrawText(caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreFont(dc, old);
}

bool CSkinButton::PointInShape(CPoint point) const {
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    return GetWindowRgn(shape) != RGN_ERROR && shape.PtInRegion(point);
}

void CSkinButton::OnLButtonDown(UINT, CPoint) {
    m_bPressed = TRUE;
    m_bHover = TRUE;
    RepaintNow(*this);
    SetFocus();
}

void CSkinButton::OnLButtonUp(UINT, CPoint) {
    m_bPressed = FALSE;
    if (!m_bHover) {
        RepaintNow(*this);
        return;
    }
    // The button's own id decides, not whichever window has the focus (which
    // may be another control, or none).
    if (OpensModalUi(GetDlgCtrlID())) {
        ::ReleaseCapture();
        m_bHover = FALSE;
    }
    RepaintNow(*this);
    ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), LPARAM(m_hWnd));
}

void CSkinButton::OnMouseMove(UINT, CPoint point) {
    if (PointInShape(point)) {
        if (m_bHover)
            return;
        m_bHover = TRUE;
        RepaintNow(*this);
        SetCapture();
    } else if (m_bHover) {
        m_bHover = FALSE;
        RepaintNow(*this);
        if (!m_bPressed)
            ::ReleaseCapture();
    }
}
