#include "MapWindowFixture.h"

#include <chrono>
#include <cwchar>
#include <thread>

#include "app/res/MarlowinResources.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/MapPointTexts.h"
#include "platform/web/WebText.h"
#include "shared/TextConvert.h"

namespace {

constexpr const wchar_t* kMainClass = L"MapPaneTestMain";
CMapPaneController* g_pane = nullptr;

LRESULT MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        MapWindowFixture::s_commands.push_back(wParam);
    if (message != WM_NOTIFY || g_pane == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    if (header->idFrom == UINT_PTR(IDC_MAIN_MAP_BROWSER) && header->code == DISPID_BEFORENAVIGATE2)
        g_pane->OnBeforeNavigate2(header, &result);
    if (header->idFrom == UINT_PTR(IDC_MAIN_MAP_BROWSER) && header->code == DISPID_DOCUMENTCOMPLETE)
        g_pane->OnDocumentComplete(header, &result);
    return result;
}

}  // namespace

std::vector<WPARAM> MapWindowFixture::s_commands;

void MapWindowFixture::SetUp() {
    static const bool registered = [] {
        RegisterMarlowinResources();
        WNDCLASSW c{};
        c.lpfnWndProc = MainProc;
        c.lpszClassName = kMainClass;
        return RegisterClass(&c) != 0 && RegisterWebBrowserClass();
    }();
    ASSERT_TRUE(registered);
    std::wcscpy(g_szProgramDir, L"/opt/marlowin");
    g_strIniPath = L"/nonexistent/config/AppConfig.ini";
    g_nMapOff = 0;
    g_nMapType = kLocalMapType;
    g_strMapLastCarId = L"";
    s_commands.clear();
    m_main = CreateWindowEx(0, kMainClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                            nullptr, nullptr, nullptr);
    m_browser = CreateWindowEx(0, kWebBrowserClass, L"", WS_CHILD | WS_VISIBLE, 500, 30, 280, 300,
                               m_main, HMENU(intptr_t(IDC_MAIN_MAP_BROWSER)), nullptr, nullptr);
    ASSERT_NE(FakeBrowserEngine::Of(m_browser), nullptr);
    m_pane = std::make_unique<CMapPaneController>(m_host);
    g_pane = m_pane.get();
}

void MapWindowFixture::TearDown() {
    m_pane->Stop();
    g_pane = nullptr;
    m_pane.reset();
    DestroyWindow(m_main);
    Pump();
}

void MapWindowFixture::StartConnected(bool connected) {
    m_pane->SetConnectionCheck([connected] { return connected; });
    ASSERT_TRUE(m_pane->Attach(CWnd::FromHandle(m_main)));
    ASSERT_TRUE(m_pane->StartConnectionTests());
    // The local page needs no connection.
    const int expected = connected || g_nMapType == kLocalMapType ? 1 : 0;
    ASSERT_TRUE(PumpUntil([&] { return m_pane->m_nMapState == expected; }));
    Pump();  // the navigation's own notification
}

void MapWindowFixture::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
}

bool MapWindowFixture::PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

FakeBrowserEngine* MapWindowFixture::FloatingEngine() {
    CVehmapInfoDlg& floating = m_pane->FloatingMap();
    return floating.Exists() ? FakeBrowserEngine::Of(floating.MapPage().Browser().m_hWnd) : nullptr;
}

void MapWindowFixture::AddPoint(const wchar_t* vehicle, const wchar_t* time) {
    g_strMapCarId = vehicle;
    g_strMapTime = time;
    g_strMapLatitude = L"55.750000";
    g_strMapLongitude = L"37.616667";
    m_pane->OnMapTrack(2, 0);
}

std::string MapWindowFixture::LocalPageUri() {
    return web::NavigationUri(LocalMapPage().Std());
}

std::string MapWindowFixture::OfflinePageUri() {
    return web::NavigationUri(OfflineMapPage().Std());
}
