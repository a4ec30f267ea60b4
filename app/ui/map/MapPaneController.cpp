#include "app/ui/map/MapPaneController.h"

#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/map/MapNavigation.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/MapPointTexts.h"
#include "app/ui/map/MapTrack.h"
#include "app/ui/map/OfflinePage.h"
#include "platform/web/ConnectionCheck.h"

namespace {

constexpr const wchar_t* kResultWindowClass = L"MarlowinMapPane";
// Posted by the retry thread to the controller's window; wParam 1 connected.
constexpr UINT kConnectionTested = WM_USER + 1;

constexpr WPARAM kTrackClear = 1;
constexpr WPARAM kTrackAddPoint = 2;

bool RegisterResultWindowClass() {
    WNDCLASSW existing{};
    if (GetClassInfo(nullptr, kResultWindowClass, &existing))
        return true;
    WNDCLASSW description{};
    description.lpfnWndProc = ::DefWindowProc;
    description.lpszClassName = kResultWindowClass;
    return RegisterClass(&description) != 0;
}

// The test of the map server, its address read here on the UI thread.
MapRetryThread::Check MapServerTest() {
    return [address = MapCheckAddress()] {
        return InternetCheckConnectionW(address, FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
    };
}

bool MapIsOff() {
    return g_nMapOff != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMapPaneController, CWnd)
ON_MESSAGE(kConnectionTested, &CMapPaneController::OnConnectionTested)
END_MESSAGE_MAP()

CMapPaneController::CMapPaneController(IMapPaneHost& host) : m_host(host), m_dlgVehmap(host) {}

CMapPaneController::~CMapPaneController() {
    Stop();
}

BOOL CMapPaneController::Attach(CWnd* mainWindow) {
    if (mainWindow == nullptr || !m_wndBrowser.SubclassDlgItem(IDC_MAIN_MAP_BROWSER, mainWindow))
        return FALSE;
    m_pMainWindow = mainWindow;
    m_nMapState = -1;
    return TRUE;
}

BOOL CMapPaneController::StartConnectionTests() {
    if (m_pMainWindow == nullptr)
        return FALSE;
    if (MapIsOff())
        return TRUE;
    if (!CreateResultWindow(m_pMainWindow))
        return FALSE;
    // The thread holds only the window handle: a result posted after the
    // window is gone is dropped by the window system.
    const HWND target = m_hWnd;
    const auto report = [target](bool connected) {
        ::PostMessage(target, kConnectionTested, connected ? 1 : 0, 0);
    };
    return m_retry.Start(m_check ? m_check : MapServerTest(), report) ? TRUE : FALSE;
}

BOOL CMapPaneController::CreateResultWindow(CWnd* mainWindow) {
    if (::IsWindow(m_hWnd))
        return TRUE;
    return RegisterResultWindowClass() &&
           CreateEx(0, kResultWindowClass, L"", WS_POPUP, 0, 0, 0, 0, mainWindow->m_hWnd, nullptr);
}

void CMapPaneController::Stop() {
    m_retry.Stop(MapRetryThread::kStopWaitMs);
    CloseFloatingMap();
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

LRESULT CMapPaneController::OnConnectionTested(WPARAM connected, LPARAM) {
    CheckMapConnection(connected != 0);
    return 0;
}

void CMapPaneController::CheckMapConnection(bool connected) {
    // The local page is a file below the program: it needs no network, so
    // it is shown whatever the test found.
    if (connected || g_nMapType == kLocalMapType) {
        if (m_nMapState == 1)
            return;
        m_nMapState = 1;
        NavigateMap(g_nMapType);
        if (FloatingMapExists())
            m_dlgVehmap.MapPage().SetOffline(false);
        m_retry.Finish();
        return;
    }
    if (m_nMapState != -1)
        return;
    if (!MapIsOff())
        m_wndBrowser.Navigate(OfflineMapPage());
    m_nMapState = 0;
}

void CMapPaneController::NavigateMap(int mapType) {
    if (MapIsOff())
        return;
    // The new page attaches its document when it has loaded.
    m_webPage.DetachDocument();
    m_wndBrowser.Navigate(MapPageOfType(mapType));
}

void CMapPaneController::SetMapType(int mapType) {
    if (m_nMapState == 1)
        NavigateMap(mapType);
    if (FloatingMapExists())
        m_dlgVehmap.MapPage().SetMapType(mapType);
}

LRESULT CMapPaneController::OnMapTrack(WPARAM wParam, LPARAM) {
    if (wParam == kTrackClear) {
        if (!MapIsOff())
            ClearMapTrack(m_webPage, m_wndBrowser);
        return 0;
    }
    if (wParam != kTrackAddPoint)
        return 0;
    if (!MapIsOff()) {
        const bool vehicleChanged = g_strMapCarId != g_strMapLastCarId;
        AddMapPoint(m_webPage, m_wndBrowser, vehicleChanged);
        if (FloatingMapExists()) {
            CGisInfoDlg& page = m_dlgVehmap.MapPage();
            AddMapPoint(page.Page(), page.Browser(), vehicleChanged);
        }
    }
    g_strMapLastCarId = g_strMapCarId;
    return 0;
}

void CMapPaneController::OnBeforeNavigate2(NMHDR* header, LRESULT*) {
    auto* notify = reinterpret_cast<WebBrowserNotify*>(header);
    notify->cancel = HandleMapPageNavigation(notify->url, m_host, m_wndBrowser.m_hWnd);
}

void CMapPaneController::OnDocumentComplete(NMHDR* header, LRESULT*) {
    const auto* notify = reinterpret_cast<const WebBrowserNotify*>(header);
    if (MapIsOff())
        return;
    if (IsOfflinePageUrl(notify->url))
        ShowOfflineText(m_wndBrowser);
    if (!IsMapPageUrl(notify->url))
        return;
    if (m_webPage.AttachDocument(m_wndBrowser.get_Document())) {
        m_wndBrowser.Invalidate(FALSE);
        m_wndBrowser.UpdateWindow();
    }
}

BOOL CMapPaneController::ShowFloatingMap(CWnd* mainWindow) {
    if (FloatingMapExists())
        return TRUE;
    CGisInfoDlg& page = m_dlgVehmap.MapPage();
    page.Page().DetachDocument();
    // Without a connection yet the floating page is the offline page too.
    page.SetOffline(m_nMapState != 1);
    if (!m_dlgVehmap.Create(IDD_MAP_WINDOW, mainWindow))
        return FALSE;
    page.SetMapType(g_nMapType);
    m_dlgVehmap.ShowWindow(SW_SHOW);
    return TRUE;
}

void CMapPaneController::ApplyLanguageTexts() {
    if (MapIsOff())
        return;
    if (m_nMapState == 0)
        ShowOfflineText(m_wndBrowser);
    if (FloatingMapExists() && m_dlgVehmap.MapPage().IsOffline())
        ShowOfflineText(m_dlgVehmap.MapPage().Browser());
}

void CMapPaneController::CloseFloatingMap() {
    if (FloatingMapExists())
        m_dlgVehmap.DestroyWindow();
}
