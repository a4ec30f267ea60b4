#include "app/ui/map/VehmapInfoDlg.h"

#include "app/res/ResourceIds.h"
#include "platform/afx/PaintDC.h"

namespace {

constexpr int kGpsLineHeight = 20;

}  // namespace

IMPLEMENT_DYNAMIC(CVehmapInfoDlg, CDialog)

BEGIN_MESSAGE_MAP(CVehmapInfoDlg, CDialog)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCPAINT()
ON_WM_NCACTIVATE()
ON_WM_NCHITTEST()
ON_WM_NCMOUSEMOVE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CVehmapInfoDlg::CVehmapInfoDlg(IMapPaneHost& host) : CDialog(IDD_MAP_WINDOW), m_dlgMap(host) {
    m_bmpBottom.LoadBitmap(IDB_BORDER_HORIZONTAL);
    m_bmpTop.LoadBitmap(IDB_BORDER_HORIZONTAL);
    m_bmpLeft.LoadBitmap(IDB_BORDER_VERTICAL);
    m_bmpRight.LoadBitmap(IDB_BORDER_VERTICAL);
}

BOOL CVehmapInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - window.Width()) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - window.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_dlgMap.Create(IDD_MAP_PAGE, this);
    m_stcGps.SubclassDlgItem(IDC_MAP_GPS, this);
    m_stcGps.SetText(L" ", 0, RGB(255, 255, 255), RGB(0, 0, 0));
    LayOut();
    m_dlgMap.ShowWindow(SW_SHOW);
    DrawFrameOnWindow();
    return TRUE;
}

void CVehmapInfoDlg::LayOut() {
    CRect client;
    GetClientRect(&client);
    m_dlgMap.MoveWindow(0, kGpsLineHeight, client.Width(), client.Height() - kGpsLineHeight);
    m_stcGps.MoveWindow(0, 0, client.Width(), kGpsLineHeight);
}

void CVehmapInfoDlg::AskForSingleScreen() {
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, IDM_SINGLE_SCREEN, 0);
}

// A close by the window manager (WM_CLOSE, then IDCANCEL) is the close box:
// hidden, the window would leave the layout at double screen with no map.
void CVehmapInfoDlg::OnCancel() {
    AskForSingleScreen();
}

BOOL CVehmapInfoDlg::PreTranslateMessage(MSG* msg) {
    if (IsDialogEndingKey(msg))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CVehmapInfoDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
    const bool redrawsFrame = message == WM_MOVE || message == WM_PAINT || message == WM_NOTIFY ||
                              message == WM_NCPAINT || message == WM_NCACTIVATE;
    if (redrawsFrame && Exists())
        DrawFrameOnWindow();
    return result;
}

void CVehmapInfoDlg::SetGpsText(const CString& text) {
    m_stcGps.SetText(text, 0, RGB(255, 255, 255), RGB(0, 0, 0));
    m_stcGps.Invalidate(TRUE);
}

void CVehmapInfoDlg::OnSize(UINT, int, int) {
    Default();
    if (!::IsWindow(m_dlgMap.m_hWnd))
        return;
    LayOut();
    m_dlgMap.Invalidate();
    m_dlgMap.UpdateWindow();
    m_stcGps.Invalidate();
    m_stcGps.UpdateWindow();
    DrawFrameOnWindow();
}

void CVehmapInfoDlg::OnPaint() {
    { CPaintDC paint(this); }
    if (!::IsWindow(m_dlgMap.m_hWnd))
        return;
    m_stcGps.Invalidate(TRUE);
    RedrawMapBrowser();
    DrawFrameOnWindow();
}

void CVehmapInfoDlg::RedrawMapBrowser() {
    CExplorer1& browser = m_dlgMap.Browser();
    if (::IsWindow(browser.m_hWnd))
        browser.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

BOOL CVehmapInfoDlg::OnNcActivate(BOOL) {
    const BOOL result = BOOL(Default());
    DrawFrameOnWindow();
    return result;
}
