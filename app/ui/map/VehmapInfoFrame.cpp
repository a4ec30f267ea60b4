// The floating map window's own frame: drawing, hit-testing and the mouse
// on the caption boxes.
#include "app/controls/draw/MemoryDc.h"
#include "app/controls/skin/FrameHitTest.h"
#include "app/res/ResourceIds.h"
#include "app/ui/map/VehmapInfoDlg.h"

namespace {

constexpr COLORREF kCaption = RGB(0x55, 0x55, 0x55);
constexpr int kBoxSide = 16;
constexpr int kBoxGap = 3;
constexpr int kBorder = 3;
constexpr int kBorderCorner = 50;

LPARAM PackPoint(CPoint point) {
    return MAKELPARAM(point.x, point.y);
}

}  // namespace

void CVehmapInfoDlg::DrawFrameOnWindow() {
    HDC dc = ::GetWindowDC(m_hWnd);
    if (dc == nullptr)
        return;
    DrawFrame(CDC::FromHandle(dc));
    ::ReleaseDC(m_hWnd, dc);
}

void CVehmapInfoDlg::DrawFrame(CDC* windowDC) {
    if (!Exists())
        return;
    CRect window;
    GetWindowRect(&window);
    const int wd = window.Width();
    const int ht = window.Height();
    const int fx = ::GetSystemMetrics(SM_CXDLGFRAME);
    const int fy = ::GetSystemMetrics(SM_CYDLGFRAME);
    const CRect band(fy, fx, wd - fy, ::GetSystemMetrics(SM_CYCAPTION) + fx);
    windowDC->FillSolidRect(&band, kCaption);
    m_rcClose =
        CRect(band.right - 21, band.top + 3, band.right - 21 + kBoxSide, band.top + 3 + kBoxSide);
    m_rcMax = m_rcClose;
    m_rcMax.OffsetRect(-(kBoxSide + kBoxGap), 0);
    m_rcMin = m_rcMax;
    m_rcMin.OffsetRect(-(kBoxSide + kBoxGap), 0);
    for (CRect* box : {&m_rcClose, &m_rcMax, &m_rcMin})
        box->OffsetRect(window.left, window.top);
    DrawBox(windowDC, m_rcClose, IDB_CLOSE);
    DrawBox(windowDC, m_rcMax, IsZoomed() ? IDB_RESTORE : IDB_MAXIMISE);
    DrawBox(windowDC, m_rcMin, IDB_MINIMISE);
    m_bmpTop.DrawNineSlice(windowDC, CRect(0, 0, wd, kBorder), kBorderCorner, 0);
    m_bmpBottom.DrawNineSlice(windowDC, CRect(0, ht - kBorder, wd, ht), kBorderCorner, 0);
    m_bmpLeft.DrawNineSlice(windowDC, CRect(0, 0, kBorder, ht), 0, kBorderCorner);
    m_bmpRight.DrawNineSlice(windowDC, CRect(wd - kBorder, 0, wd, ht), 0, kBorderCorner);
}

void CVehmapInfoDlg::DrawBox(CDC* windowDC, const CRect& screenBox, UINT bitmapId) {
    CSkinBitmap bitmap;
    if (!bitmap.LoadBitmap(bitmapId))
        return;
    CRect window;
    GetWindowRect(&window);
    MemoryDc source(bitmap);
    ::BitBlt(*windowDC, screenBox.left - window.left, screenBox.top - window.top, kBoxSide,
             kBoxSide, source.Dc(), 0, 0, SRCCOPY);
}

LRESULT CVehmapInfoDlg::OnNcHitTest(CPoint point) {
    CRect window;
    GetWindowRect(&window);
    return FrameHitTest(window, point, Default());
}

void CVehmapInfoDlg::OnNcMouseMove(UINT, CPoint point) {
    HDC dc = ::GetWindowDC(m_hWnd);
    if (dc != nullptr) {
        CDC* windowDC = CDC::FromHandle(dc);
        const bool zoomed = IsZoomed() != FALSE;
        const bool overMax = m_rcMax.PtInRect(point) != FALSE;
        DrawBox(windowDC, m_rcClose, m_rcClose.PtInRect(point) ? IDB_CLOSE_HOVER : IDB_CLOSE);
        DrawBox(windowDC, m_rcMin, m_rcMin.PtInRect(point) ? IDB_MINIMISE_HOVER : IDB_MINIMISE);
        // The hovered maximise box shows what a click does.
        DrawBox(windowDC, m_rcMax, zoomed != overMax ? IDB_RESTORE : IDB_MAXIMISE);
        ::ReleaseDC(m_hWnd, dc);
    }
    Default();
}

void CVehmapInfoDlg::OnNcLButtonDown(UINT hitTest, CPoint point) {
    // A press on one of our boxes is that box's alone: the system's own
    // boxes lie under them, and a move or size started as well would take
    // the mouse from a window that is closing or changing its size.
    if (m_rcClose.PtInRect(point)) {
        AskForSingleScreen();
        return;
    }
    if (m_rcMin.PtInRect(point)) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, PackPoint(point));
        return;
    }
    if (m_rcMax.PtInRect(point)) {
        const bool restore = IsZoomed() || IsIconic();
        SendMessage(WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MAXIMIZE, PackPoint(point));
        return;
    }
    if (const WPARAM command = FrameSysCommand(hitTest))
        SendMessage(WM_SYSCOMMAND, command, PackPoint(point));
    else
        Default();
}

void CVehmapInfoDlg::OnNcLButtonDblClk(UINT, CPoint) {
    if (IsZoomed()) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        Invalidate();
        return;
    }
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Invalidate();
    RedrawMapBrowser();
}
