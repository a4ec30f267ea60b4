#include "app/ui/map/GisInfoDlg.h"

#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/map/MapNavigation.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/OfflinePage.h"
#include "platform/afx/PaintDC.h"

IMPLEMENT_DYNAMIC(CGisInfoDlg, CDialog)

BEGIN_MESSAGE_MAP(CGisInfoDlg, CDialog)
ON_WM_SIZE()
ON_WM_PAINT()
ON_NOTIFY(DISPID_BEFORENAVIGATE2, IDC_MAP_BROWSER, &CGisInfoDlg::OnBeforeNavigate2)
ON_NOTIFY(DISPID_DOCUMENTCOMPLETE, IDC_MAP_BROWSER, &CGisInfoDlg::OnDocumentComplete)
END_MESSAGE_MAP()

bool IsDialogEndingKey(const MSG* msg) {
    return msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
}

CGisInfoDlg::CGisInfoDlg(IMapPaneHost& host)
    : CDialog(IDD_MAP_PAGE), m_host(host), m_nMapType(g_nMapType) {}

BOOL CGisInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndBrowser.SubclassDlgItem(IDC_MAP_BROWSER, this);
    NavigateToMapPage();
    m_bInitialised = true;
    Invalidate(TRUE);
    return TRUE;
}

BOOL CGisInfoDlg::PreTranslateMessage(MSG* msg) {
    if (IsDialogEndingKey(msg))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

void CGisInfoDlg::SetMapType(int mapType) {
    m_nMapType = mapType;
    if (m_bInitialised)
        NavigateToMapPage();
}

void CGisInfoDlg::SetOffline(bool offline) {
    if (m_bOffline == offline)
        return;
    m_bOffline = offline;
    if (m_bInitialised)
        NavigateToMapPage();
}

void CGisInfoDlg::NavigateToMapPage() {
    if (g_nMapOff != 0)
        return;
    // The new page attaches its document when it has loaded.
    m_webPage.DetachDocument();
    m_wndBrowser.Navigate(m_bOffline ? OfflineMapPage() : MapPageOfType(m_nMapType));
}

void CGisInfoDlg::OnSize(UINT, int cx, int cy) {
    Default();
    if (::IsWindow(m_wndBrowser.m_hWnd))
        m_wndBrowser.MoveWindow(0, 0, cx, cy);
}

void CGisInfoDlg::OnPaint() {
    // The browser covers the whole client area.
    CPaintDC paint(this);
}

void CGisInfoDlg::OnBeforeNavigate2(NMHDR* header, LRESULT*) {
    auto* notify = reinterpret_cast<WebBrowserNotify*>(header);
    notify->cancel = HandleMapPageNavigation(notify->url, m_host, m_wndBrowser.m_hWnd);
}

void CGisInfoDlg::OnDocumentComplete(NMHDR* header, LRESULT*) {
    const auto* notify = reinterpret_cast<const WebBrowserNotify*>(header);
    if (g_nMapOff != 0)
        return;
    if (IsOfflinePageUrl(notify->url))
        ShowOfflineText(m_wndBrowser);
    if (!IsMapPageUrl(notify->url))
        return;
    if (m_webPage.AttachDocument(m_wndBrowser.get_Document())) {
        m_wndBrowser.Invalidate(TRUE);
        m_wndBrowser.UpdateWindow();
    }
}
