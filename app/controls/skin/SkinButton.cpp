#include "app/controls/skin/SkinButton.h"

#include <algorithm>
#include <utility>

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
ON_WM_CAPTURECHANGED()
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
    m_hFocusBefore = ::SetFocus(m_hWnd);
}

void CSkinButton::OnLButtonUp(UINT, CPoint) {
    m_bPressed = FALSE;
    if (!m_bHover) {
        // Released off the button: the capture the press kept must go now, or
        // this button would go on taking every click meant for other windows.
        ReleaseMouse();
        RepaintNow(*this);
        return;
    }
    // The button's own id decides, not whichever window has the focus (which
    // may be another control, or none).
    const bool modal = OpensModalUi(GetDlgCtrlID());
    if (modal)
        ReleaseMouse();
    RepaintNow(*this);
    const HWND self = m_hWnd;
    const HWND before = std::exchange(m_hFocusBefore, nullptr);
    ::SendMessage(::GetParent(self), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), LPARAM(self));
    // The keys go back to where they went before the click, not to this
    // button, which has no use for them.
    if (modal && ::IsWindow(self) && ::GetFocus() == self && before != nullptr &&
        ::IsWindow(before))
        ::SetFocus(before);
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
            ReleaseMouse();
    }
}

void CSkinButton::ReleaseMouse() {
    m_bHover = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CSkinButton::OnCaptureChanged(CWnd*) {
    // Another window took the mouse (or WM_CANCELMODE ended the press): the
    // button is neither hovered nor pressed any more, and a later move over it
    // must capture it afresh.
    const bool lit = m_bHover;
    m_bHover = FALSE;
    m_bPressed = FALSE;
    if (lit)
        RepaintNow(*this);
}
