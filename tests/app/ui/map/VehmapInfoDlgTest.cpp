// The floating map window: its page loads and attaches its document when
// loaded, receives the track, seeks, and its frame's close box and sizing
// zones.
#include "app/ui/map/VehmapInfoDlg.h"

#include <gtest/gtest.h>

#include "MapWindowFixture.h"
#include "app/controls/skin/FrameHitTest.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "shared/PlayerInterface.h"

namespace {

using Names = std::vector<std::string>;

Names NamesOf(const std::vector<FakeBrowserEngine::Call>& calls) {
    Names names;
    for (const auto& c : calls)
        names.push_back(c.name);
    return names;
}

class FloatingMap : public MapWindowFixture {
protected:
    // The floating window shown, its page not loaded yet.
    FakeBrowserEngine& Show() {
        EXPECT_TRUE(m_pane->ShowFloatingMap(CWnd::FromHandle(m_main)));
        FakeBrowserEngine* engine = FloatingEngine();
        EXPECT_NE(engine, nullptr);
        engine->SetPageFunctions({"ClearAll_N", "AddGLatLng_N"});
        Pump();
        return *engine;
    }
    CVehmapInfoDlg& Window() { return m_pane->FloatingMap(); }
    // Ending a dialog hides it and keeps its window: only a shown window
    // is still open.
    bool Open() { return Window().Exists() && ::IsWindowVisible(Window().m_hWnd); }
};

TEST_F(FloatingMap, ItsPageAttachesWhenLoadedAndThenReceivesTheTrack) {
    StartConnected(true);
    FakeBrowserEngine& page = Show();
    EXPECT_EQ(page.Navigations(), (std::vector<std::string>{LocalPageUri(), LocalPageUri()}));
    AddPoint(L"BUS-7", L"1");
    EXPECT_TRUE(page.Calls().empty()) << "nothing before its page has loaded";

    page.CompleteDocument(LocalPageUri());
    Pump();
    AddPoint(L"BUS-7", L"2");
    AddPoint(L"TRUCK-2", L"3");
    m_pane->OnMapTrack(1, 0);
    EXPECT_EQ(NamesOf(page.Calls()), (Names{"AddGLatLng_N", "ClearAll_N", "AddGLatLng_N"}))
        << "a new vehicle clears it; clearing the main track leaves it";
    EXPECT_EQ(page.Calls().back().args,
              (std::vector<std::string>{"TRUCK-2", "3", "55.750000", "37.616667"}));
}

TEST_F(FloatingMap, EveryCreationLoadsAFreshPage) {
    StartConnected(true);
    FakeBrowserEngine& first = Show();
    first.CompleteDocument(LocalPageUri());
    Pump();
    m_pane->CloseFloatingMap();
    EXPECT_FALSE(Window().Exists());
    AddPoint(L"BUS-7", L"1");  // no window: only the main page

    FakeBrowserEngine& second = Show();
    AddPoint(L"BUS-7", L"2");
    EXPECT_TRUE(second.Calls().empty()) << "the earlier page's document is not kept";
    second.CompleteDocument(LocalPageUri());
    Pump();
    AddPoint(L"BUS-7", L"3");
    EXPECT_EQ(NamesOf(second.Calls()), (Names{"AddGLatLng_N"}));
}

TEST_F(FloatingMap, WithTheMapOffItsPageNeverLoads) {
    g_nMapOff = 1;
    FakeBrowserEngine& page = Show();
    page.CompleteDocument(LocalPageUri());
    Pump();
    AddPoint(L"BUS-7", L"1");
    EXPECT_TRUE(page.Navigations().empty());
    EXPECT_TRUE(page.Calls().empty());
}

TEST_F(FloatingMap, AClickOnItsPageSeeks) {
    StartConnected(true);
    FakeBrowserEngine& page = Show();
    m_player.timeIndex.Place(1, {InxUnit{1000, 0, 0}, InxUnit{1010, 0, 1000000}});
    m_host.playing = true;
    page.StartNavigation("app:nomal&1005");
    Pump();
    EXPECT_TRUE(page.Decisions().back().cancelled);
    const std::vector<FakePlayCommand> calls = m_player.Commands();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].cmd, PLAY_CMD_SEEK);
    EXPECT_EQ(calls[0].Position(), 500000u);
}

TEST_F(FloatingMap, TheCloseBoxAsksTheMainWindowForTheSingleScreen) {
    Show();
    const HWND window = Window().m_hWnd;
    RECT r{};
    GetWindowRect(window, &r);
    const int fx = GetSystemMetrics(SM_CXDLGFRAME);
    const int fy = GetSystemMetrics(SM_CYDLGFRAME);
    const int x = r.right - fy - 21 + 8;  // the middle of the 16 x 16 close box
    const int y = r.top + fx + 3 + 8;
    SendMessage(window, WM_NCLBUTTONDOWN, WPARAM(HTCLOSE), MAKELPARAM(x, y));
    Pump();
    EXPECT_EQ(s_commands, std::vector<WPARAM>{IDM_SINGLE_SCREEN});
    EXPECT_TRUE(Open()) << "the main window's command closes it";
}

// The window manager's close arrives as the system close command: the same
// as the close box, never a hidden window that leaves double screen checked.
TEST_F(FloatingMap, ACloseByTheWindowManagerIsTheCloseBox) {
    Show();
    SendMessage(Window().m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(s_commands, std::vector<WPARAM>{IDM_SINGLE_SCREEN});
    EXPECT_TRUE(Open()) << "the main window's command closes it";
}

TEST_F(FloatingMap, EnterAndEscapeDoNotEndIt) {
    Show();
    ASSERT_TRUE(Open());
    for (const WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        MSG msg{Window().MapPage().Browser().m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(Window().PreTranslateMessage(&msg));
        EXPECT_TRUE(Window().MapPage().PreTranslateMessage(&msg));
        // The same key through the dialog's own key handling would end it.
        MSG own{Window().m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        Window().PreTranslateMessage(&own);
    }
    Pump();
    EXPECT_TRUE(Open());
}

TEST(VehmapHitTest, CornersAndEdgesSizeTheRestMoves) {
    const CRect window(100, 100, 500, 400);
    struct Case {
        int x, y;
        LRESULT defaultCode;
        LRESULT expected;
    };
    const Case cases[] = {
        {110, 110, HTCLIENT, HTTOPLEFT},    {490, 105, HTCLIENT, HTTOPRIGHT},
        {100, 390, HTCLIENT, HTBOTTOMLEFT}, {495, 395, HTCLIENT, HTBOTTOMRIGHT},
        {103, 200, HTCLIENT, HTLEFT},       {497, 200, HTCLIENT, HTRIGHT},
        {300, 103, HTCAPTION, HTTOP},       {300, 397, HTCLIENT, HTBOTTOM},
        {104, 200, HTCLIENT, HTCAPTION},    {300, 104, HTCAPTION, HTCAPTION},
        {300, 250, HTCLIENT, HTCAPTION},    {480, 112, HTCLOSE, HTCLOSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameHitTest(window, CPoint(c.x, c.y), c.defaultCode), c.expected)
            << c.x << "," << c.y;
}

}  // namespace
