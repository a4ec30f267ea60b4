// End to end on a real X server (with-xvfb.sh gives each run its own): the
// main window's map pane loads the local map page in WebKit, the page draws
// the points it is sent (one of them with a vehicle id full of characters
// that must not end a script string), and a click on that point makes the
// page navigate "app:nomal&<time>", which the pane turns into a seek.
#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <thread>

#include "MapPlayer.h"
#include "XTestInput.h"
#include "app/res/MarlowinResources.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/MapPaneController.h"
#include "app/ui/map/MapPointTexts.h"
#include "platform/backend/GtkDisplay.h"
#include "shared/PlayerInterface.h"
#include "shared/TextConvert.h"
#include "tests/platform/user/Reaper.h"

namespace {

constexpr const wchar_t* kMainClass = L"MapPageEndToEndMain";
constexpr RECT kWindow{100, 100, 700, 500};  // the browser fills it
CMapPaneController* g_pane = nullptr;

LRESULT MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NOTIFY || g_pane == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    if (header->code == DISPID_BEFORENAVIGATE2)
        g_pane->OnBeforeNavigate2(header, &result);
    if (header->code == DISPID_DOCUMENTCOMPLETE)
        g_pane->OnDocumentComplete(header, &result);
    return result;
}

void Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void AddPoint(const std::wstring& vehicle, const wchar_t* time, const wchar_t* longitude) {
    g_strMapCarId = vehicle.c_str();
    g_strMapTime = time;
    g_strMapLatitude = L"55.750000";
    g_strMapLongitude = longitude;
    g_pane->OnMapTrack(2, 0);
}

TEST(MapPageEndToEnd, TheLocalPageDrawsTheTrackAndAClickOnItSeeks) {
    Reaper reaper(std::chrono::seconds(90));
    std::unique_ptr<GtkDisplay> display = GtkDisplay::Open();
    ASSERT_NE(display, nullptr) << "no X server: run under with-xvfb.sh";
    RegisterMarlowinResources();
    ASSERT_TRUE(RegisterWebBrowserClass());
    WNDCLASSW c{};
    c.lpfnWndProc = MainProc;
    c.lpszClassName = kMainClass;
    ASSERT_NE(RegisterClass(&c), 0);
    // The pages as the build installs them beside the program.
    std::wcsncpy(g_szProgramDir, Utf8ToWideString(MAP_PROGRAM_DIR).c_str(), kConfigPathSize - 1);
    g_strIniPath = L"/nonexistent/config/AppConfig.ini";
    g_nMapType = kLocalMapType;

    FakeTrevane& player = BindMapPlayer();
    player.timeIndex.Place(1, {InxUnit{1700000000, 0, 0}, InxUnit{1700000100, 0, 5000000}});
    FakeHost host;
    host.playing = true;

    const HWND main = CreateWindowEx(0, kMainClass, L"Map", WS_POPUP, kWindow.left, kWindow.top,
                                     kWindow.right - kWindow.left, kWindow.bottom - kWindow.top,
                                     nullptr, nullptr, nullptr, nullptr);
    const HWND browser =
        CreateWindowEx(0, kWebBrowserClass, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                       kWindow.right - kWindow.left, kWindow.bottom - kWindow.top, main,
                       HMENU(intptr_t(IDC_MAIN_MAP_BROWSER)), nullptr, nullptr);
    ASSERT_NE(browser, nullptr);
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    {
        CMapPaneController pane(host);
        g_pane = &pane;
        pane.SetConnectionCheck([] { return true; });
        ASSERT_TRUE(pane.Attach(CWnd::FromHandle(main)));
        ASSERT_TRUE(pane.StartConnectionTests());
        ASSERT_TRUE(PumpUntil([&] { return pane.Page().HasDocument(); }, std::chrono::seconds(30)))
            << "the local page never loaded: " << WideToUtf8String(LocalMapPage().Std());

        // Two points of one vehicle on one parallel: the page puts them 24
        // pixels in from the left and right edges, halfway down.
        const std::wstring odd = L"a\"b\\c'</script>\nd\u2028\u8F66";
        AddPoint(odd, L"1700000000", L"37.500000");
        AddPoint(odd, L"1700000100", L"37.700000");
        Pump();
        const int x = kWindow.right - 24;
        const int y = (kWindow.top + kWindow.bottom) / 2;
        bool seeked = false;
        // The first click may land before WebKit has drawn; a miss asks for focus only.
        for (int attempt = 0; attempt < 5 && !seeked; ++attempt) {
            ASSERT_TRUE(DragWithXTest(x, y, x, y, 1));
            seeked = PumpUntil([&] { return !player.Commands().empty(); }, std::chrono::seconds(5));
        }
        ASSERT_TRUE(seeked) << "no seek came from the page";
        const std::vector<FakePlayCommand> calls = player.Commands();
        EXPECT_EQ(calls[0].cmd, PLAY_CMD_SEEK);
        EXPECT_EQ(calls[0].Position(), 5000000u) << "the second point";
        pane.Stop();
        g_pane = nullptr;
    }
    DestroyWindow(main);
    Pump();
}

}  // namespace
