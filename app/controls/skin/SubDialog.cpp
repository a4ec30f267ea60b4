#include "app/controls/skin/SubDialog.h"

#include "app/controls/draw/MemoryDc.h"
#include "app/res/ResourceIds.h"

namespace {

constexpr COLORREF kCaption = RGB(85, 85, 85);
constexpr COLORREF kBody = RGB(70, 70, 70);
constexpr int kBorder = 3;
constexpr int kBorderCorner = 50;
constexpr int kCloseSide = 16;

bool RedrawsFrame(UINT message) {
    return message == WM_MOVE || message == WM_PAINT || message == WM_NOTIFY ||
           message == WM_NCPAINT || message == WM_NCACTIVATE;
}

}  // namespace

IMPLEMENT_DYNAMIC(CSubDialog, CDialog)

BEGIN_MESSAGE_MAP(CSubDialog, CDialog)
ON_WM_NCMOUSEMOVE()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCACTIVATE()
ON_WM_NCPAINT()
ON_WM_CTLCOLOR()
ON_WM_PAINT()
END_MESSAGE_MAP()

CSubDialog::CSubDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {
    m_bmpBottom.LoadBitmap(IDB_BORDER_HORIZONTAL);
    m_bmpTop.LoadBitmap(IDB_BORDER_HORIZONTAL);
    m_bmpLeft.LoadBitmap(IDB_BORDER_VERTICAL);
    m_bmpRight.LoadBitmap(IDB_BORDER_VERTICAL);
    m_brushBack.CreateSolidBrush(kBody);
}

BOOL CSubDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

LRESULT CSubDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
    if (::IsWindow(m_hWnd) && RedrawsFrame(message))
        DrawFrameOnWindow();
    return result;
}

void CSubDialog::DrawFrameOnWindow() {
    HDC dc = ::GetWindowDC(m_hWnd);
    if (dc == nullptr)
        return;
    DrawFrame(CDC::FromHandle(dc));
    ::ReleaseDC(m_hWnd, dc);
}

void CSubDialog::DrawFrame(CDC* windowDC) {
    if (!::IsWindow(m_hWnd))
        return;
    CRect window;
    GetWindowRect(&window);
    const int wd = window.Width();
    const int ht = window.Height();
    const int fx = ::GetSystemMetrics(SM_CXFRAME);
    const int fy = ::GetSystemMetrics(SM_CYFRAME);
    const int sz = ::GetSystemMetrics(SM_CYSIZE);
    windowDC->FillSolidRect(0, 0, wd, sz + fy, kCaption);
    DrawTitle(windowDC, CRect(fx + 4, fy, wd - fx - kCloseSide - 4, fy + sz));
    const CRect box(wd - fx - kCloseSide, fy + 3, wd - fx, fy + 3 + kCloseSide);
    DrawCloseBox(windowDC, box, false);
    m_rcClose = box;
    m_rcClose.OffsetRect(window.left, window.top);
    m_bmpTop.DrawNineSlice(windowDC, CRect(0, 0, wd, kBorder), kBorderCorner, 0);
    m_bmpBottom.DrawNineSlice(windowDC, CRect(0, ht - kBorder, wd, ht), kBorderCorner, 0);
    m_bmpLeft.DrawNineSlice(windowDC, CRect(0, 0, kBorder, ht), 0, kBorderCorner);
    m_bmpRight.DrawNineSlice(windowDC, CRect(wd - kBorder, 0, wd, ht), 0, kBorderCorner);
}

// The dialog's title, white on the caption band, so each tool dialog says
// what it is.
void CSubDialog::DrawTitle(CDC* windowDC, const CRect& band) {
    CString title;
    GetWindowText(title);
    if (title.IsEmpty())
        return;
    CRect text = band;
    const HGDIOBJ oldFont = ::SelectObject(*windowDC, ::GetStockObject(DEFAULT_GUI_FONT));
    windowDC->SetTextColor(RGB(255, 255, 255));
    windowDC->SetBkMode(TRANSPARENT);
    windowDC->DrawText(title, &text,
                       DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(*windowDC, oldFont);
}

void CSubDialog::DrawCloseBox(CDC* windowDC, const CRect& box, bool hovered) {
    CSkinBitmap bitmap;
    if (!bitmap.LoadBitmap(hovered ? IDB_CLOSE_HOVER : IDB_CLOSE))
        return;
    MemoryDc source(bitmap);
    ::BitBlt(*windowDC, box.left, box.top, box.Width(), box.Height(), source.Dc(), 0, 0, SRCCOPY);
}

void CSubDialog::OnNcMouseMove(UINT, CPoint point) {
    CRect window;
    GetWindowRect(&window);
    CRect box = m_rcClose;
    box.OffsetRect(-window.left, -window.top);
    HDC dc = ::GetWindowDC(m_hWnd);
    if (dc != nullptr) {
        DrawCloseBox(CDC::FromHandle(dc), box, m_rcClose.PtInRect(point));
        ::ReleaseDC(m_hWnd, dc);
    }
    Default();
}

void CSubDialog::OnNcLButtonDown(UINT, CPoint point) {
    // The press on our close box is ours alone: the default processing would
    // find the system's close box under it and close the dialog a second time.
    if (m_rcClose.PtInRect(point)) {
        SendMessage(WM_CLOSE, 0, 0);
        return;
    }
    Default();
}

BOOL CSubDialog::OnNcActivate(BOOL) {
    OnPaint();
    return BOOL(Default());
}

HBRUSH CSubDialog::OnCtlColor(CDC* dc, CWnd*, UINT kind) {
    const HBRUSH brush = HBRUSH(Default());
    if (kind == CTLCOLOR_EDIT || kind == CTLCOLOR_LISTBOX)
        return brush;
    dc->SetTextColor(RGB(255, 255, 255));
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(RGB(0, 0, 0));
    return m_brushBack;
}

void CSubDialog::OnPaint() {
    { CPaintDC paint(this); }
    DrawFrameOnWindow();
}
