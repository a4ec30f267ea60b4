// The main window's map: the page chosen after the connection test, the
// track calls, the page's requests, and the floating map window.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "MapWindowFixture.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/MapPointTexts.h"
#include "platform/base/PrivateProfile.h"
#include "shared/PlayerInterface.h"
#include "shared/TextConvert.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

using Calls = std::vector<FakeBrowserEngine::Call>;
using Names = std::vector<std::string>;

Names NamesOf(const Calls& calls) {
    Names names;
    for (const auto& c : calls)
        names.push_back(c.name);
    return names;
}

const std::vector<std::string> kTrackFunctions = {"ClearAll_N", "AddGLatLng_N"};

class MapPane : public MapWindowFixture {
protected:
    ~MapPane() override { g_strIniPath = savedIniPath_; }

    // A configuration of this test's own naming `server` as the map server.
    void UseMapServer(const std::wstring& server) {
        const std::wstring ini = Utf8ToWideString(config_.File("AppConfig.ini"));
        WritePrivateProfileStringW(L"IE", L"MapServer", server.c_str(), ini.c_str());
        g_strIniPath = ini.c_str();
    }
    // The map page shown and loaded in the main browser.
    void LoadLocalPage() {
        StartConnected(true);
        MainEngine().SetPageFunctions({kTrackFunctions.begin(), kTrackFunctions.end()});
        MainEngine().CompleteDocument(LocalPageUri());
        Pump();
    }

private:
    TempDir config_;
    CString savedIniPath_ = g_strIniPath;
};

TEST_F(MapPane, ThePageFollowsTheMapTypeAndTheConnection) {
    struct Case {
        int mapType;
        bool connected;
        std::string page;
        int state;
    };
    const Case cases[] = {
        {kLocalMapType, true, "file:///opt/marlowin/utilities/dep/yandex.html", 1},
        {0, true, "http://map.marlowin.example/vehmap/dep/gis_.html", 1},
        {7, true, "http://map.marlowin.example/vehmap/dep/gis_.html", 1},
        // The local page needs no network.
        {kLocalMapType, false, "file:///opt/marlowin/utilities/dep/yandex.html", 1},
        {0, false, "file:///opt/marlowin/utilities/dep/no_net.html", 0},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        g_nMapType = c.mapType;
        StartConnected(c.connected);
        EXPECT_EQ(MainEngine().Navigations(), std::vector<std::string>{c.page}) << c.mapType;
        EXPECT_EQ(m_pane->m_nMapState, c.state);
        ASSERT_EQ(MainEngine().Decisions().size(), 1u);
        EXPECT_FALSE(MainEngine().Decisions()[0].cancelled) << "a page address proceeds";
    }
}

TEST_F(MapPane, TheOfflinePageStaysUntilATestConnectsThenTheMapLoadsOnce) {
    g_nMapType = 0;  // the online page, which needs the network
    StartConnected(false);
    m_pane->CheckMapConnection(false);
    EXPECT_EQ(MainEngine().Navigations().size(), 1u) << "a failed test in state 0 changes nothing";
    EXPECT_EQ(m_pane->m_nMapState, 0);
    m_pane->CheckMapConnection(true);
    m_pane->CheckMapConnection(true);
    m_pane->CheckMapConnection(false);
    EXPECT_EQ(MainEngine().Navigations(),
              (std::vector<std::string>{OfflinePageUri(),
                                        "http://map.marlowin.example/vehmap/dep/gis_.html"}));
    EXPECT_EQ(m_pane->m_nMapState, 1);
}

TEST_F(MapPane, WithTheMapOffNothingNavigatesAndNoPageIsCalled) {
    g_nMapOff = 1;
    ASSERT_TRUE(m_pane->Attach(CWnd::FromHandle(m_main)));
    ASSERT_TRUE(m_pane->StartConnectionTests());
    m_pane->CheckMapConnection(false);
    m_pane->CheckMapConnection(true);
    MainEngine().CompleteDocument(LocalPageUri());
    Pump();
    AddPoint(L"BUS-7", L"1700000000");
    m_pane->OnMapTrack(1, 0);
    EXPECT_TRUE(MainEngine().Navigations().empty());
    EXPECT_TRUE(MainEngine().Calls().empty());
    EXPECT_EQ(g_strMapLastCarId, CString(L"BUS-7")) << "the last vehicle id still follows";
}

TEST_F(MapPane, TrackPointsReachTheMapPageOnceItHasLoaded) {
    StartConnected(true);
    MainEngine().SetPageFunctions({kTrackFunctions.begin(), kTrackFunctions.end()});
    AddPoint(L"BUS-7", L"1700000000");
    EXPECT_TRUE(MainEngine().Calls().empty()) << "no document before the page has loaded";

    MainEngine().CompleteDocument(LocalPageUri());
    Pump();
    AddPoint(L"BUS-7", L"1700000001");
    const Calls calls = MainEngine().Calls();
    ASSERT_EQ(calls.size(), 1u) << "the vehicle id was passed before: no clearing";
    EXPECT_EQ(calls[0].name, "AddGLatLng_N");
    EXPECT_EQ(calls[0].args,
              (std::vector<std::string>{"BUS-7", "1700000001", "55.750000", "37.616667"}));
}

TEST_F(MapPane, ANewVehicleClearsTheTrackBeforeItsFirstPoint) {
    LoadLocalPage();
    AddPoint(L"BUS-7", L"1");
    AddPoint(L"BUS-7", L"2");
    AddPoint(L"TRUCK-2", L"3");
    m_pane->OnMapTrack(1, 0);
    m_pane->OnMapTrack(3, 0);
    EXPECT_EQ(NamesOf(MainEngine().Calls()), (Names{"ClearAll_N", "AddGLatLng_N", "AddGLatLng_N",
                                                    "ClearAll_N", "AddGLatLng_N", "ClearAll_N"}));
    EXPECT_EQ(g_strMapLastCarId, CString(L"TRUCK-2"));
}

TEST_F(MapPane, OddVehicleIdsReachThePageAsTheyAre) {
    LoadLocalPage();
    const std::wstring ids[] = {L"a\"b",      L"c\\d'e",   L"line\nbreak", L"</script><b>x</b>",
                                L"\u2028sep", L"\u8F66-12"};
    for (const std::wstring& id : ids)
        AddPoint(id.c_str(), L"1700000000");
    const Calls calls = MainEngine().Calls();
    size_t added = 0;
    for (const auto& call : calls) {
        if (call.name != "AddGLatLng_N")
            continue;
        ASSERT_LT(added, std::size(ids));
        EXPECT_EQ(call.args.at(0), WideToUtf8String(ids[added]));
        ++added;
    }
    EXPECT_EQ(added, std::size(ids));
}

TEST_F(MapPane, TheOfflinePageAndOtherAddressesAttachNothing) {
    g_nMapType = 0;
    StartConnected(false);
    MainEngine().SetPageFunctions({kTrackFunctions.begin(), kTrackFunctions.end()});
    MainEngine().CompleteDocument(OfflinePageUri());
    MainEngine().CompleteDocument("http://elsewhere.example/frame.html");
    Pump();
    AddPoint(L"BUS-7", L"1");
    EXPECT_EQ(NamesOf(MainEngine().Calls()), (Names{"SetOfflineText"}))
        << "the offline page gets its text, never the track";
}

// The offline page's text is the user's language, given when the page has
// loaded and again when the language changes; the floating map shows the
// offline page as long as the main one does, then the map page.
TEST_F(MapPane, TheOfflinePagesSpeakTheUsersLanguage) {
    SetDefaultLanguageTexts();
    g_nMapType = 0;  // the online page, which cannot load without the server
    StartConnected(false);
    MainEngine().SetPageFunctions({"SetOfflineText"});
    MainEngine().CompleteDocument(OfflinePageUri());
    Pump();
    ASSERT_TRUE(m_pane->ShowFloatingMap(CWnd::FromHandle(m_main)));
    FakeBrowserEngine* floating = FloatingEngine();
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(floating->Navigations(), (Names{OfflinePageUri(), OfflinePageUri()}));
    floating->SetPageFunctions({"SetOfflineText"});
    floating->CompleteDocument(OfflinePageUri());
    Pump();
    const std::vector<std::string> english = {
        "The map is offline: no connection to the map server."};
    for (FakeBrowserEngine* engine : {&MainEngine(), floating}) {
        ASSERT_EQ(engine->Calls().size(), 1u);
        EXPECT_EQ(engine->Calls()[0].name, "SetOfflineText");
        EXPECT_EQ(engine->Calls()[0].args, english);
    }

    IDS_MAP_OFFLINE.Set(L"\u5730\u56fe\u79bb\u7ebf");
    m_pane->ApplyLanguageTexts();
    SetDefaultLanguageTexts();
    for (FakeBrowserEngine* engine : {&MainEngine(), floating}) {
        ASSERT_EQ(engine->Calls().size(), 2u);
        EXPECT_EQ(engine->Calls()[1].args,
                  std::vector<std::string>{"\xe5\x9c\xb0\xe5\x9b\xbe\xe7\xa6\xbb\xe7\xba\xbf"});
    }

    m_pane->CheckMapConnection(true);
    const std::string online = WideToUtf8String(OnlineMapPage().Std());
    EXPECT_EQ(floating->Navigations().back(), online) << "connected: the map page";
    EXPECT_EQ(MainEngine().Navigations().back(), online);
    m_pane->ApplyLanguageTexts();
    EXPECT_EQ(floating->Calls().size(), 2u) << "a map page gets no offline text";
    EXPECT_EQ(MainEngine().Calls().size(), 2u);
}

TEST_F(MapPane, TheOnlinePageAttachesWhenItHasLoaded) {
    g_nMapType = 0;
    StartConnected(true);
    MainEngine().SetPageFunctions({kTrackFunctions.begin(), kTrackFunctions.end()});
    MainEngine().CompleteDocument(WideToUtf8String(OnlineMapPage().Std()));
    Pump();
    AddPoint(L"BUS-7", L"1");
    EXPECT_EQ(NamesOf(MainEngine().Calls()), (Names{"ClearAll_N", "AddGLatLng_N"}));
}

TEST_F(MapPane, AClickOnTheMainPageSeeksAndTheNavigationIsCancelled) {
    LoadLocalPage();
    m_player.timeIndex.Place(1, {InxUnit{1000, 0, 0}, InxUnit{1010, 0, 1000000}});
    m_host.playing = false;
    MainEngine().StartNavigation("app:nomal&1005");
    MainEngine().StartNavigation("app:GCMresponse&500");
    Pump();
    const auto decisions = MainEngine().Decisions();
    ASSERT_EQ(decisions.size(), 3u);  // the page's own load first
    EXPECT_TRUE(decisions[1].cancelled);
    EXPECT_FALSE(decisions[2].cancelled);
    const std::vector<FakePlayCommand> calls = m_player.Commands();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].cmd, PLAY_CMD_PLAY);
    EXPECT_EQ(m_host.pendingSeek, 500000u);
}

TEST_F(MapPane, GetFocusGivesTheKeyboardToTheBrowserItCameFrom) {
    LoadLocalPage();
    SetFocus(m_main);
    MainEngine().StartNavigation("app:GetFocus&");
    Pump();
    EXPECT_EQ(GetFocus(), m_browser);
    EXPECT_TRUE(MainEngine().Decisions().back().cancelled);
}

// A local port that listens (or, closed, refuses); -1 when none can be had.
int LocalPort(int* listening) {
    *listening = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (*listening < 0 || bind(*listening, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(*listening, 4) != 0 ||
        getsockname(*listening, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return -1;
    return ntohs(address.sin_port);
}

TEST_F(MapPane, TheServerComesFromTheConfiguration) {
    UseMapServer(L"http://127.0.0.1:8080/");
    EXPECT_EQ(OnlineMapPage(), CString(L"http://127.0.0.1:8080/vehmap/dep/gis_.html"));
    EXPECT_EQ(MapCheckAddress(), CString(L"http://127.0.0.1:8080/tw/index.php"));
}

TEST_F(MapPane, TheConnectionTestAsksTheConfiguredServer) {
    for (const bool answering : {true, false}) {
        TearDown();
        SetUp();
        int server = -1;
        const int port = LocalPort(&server);
        ASSERT_GT(port, 0);
        if (!answering)
            close(server);  // the port now refuses at once
        g_nMapType = 0;
        UseMapServer(L"http://127.0.0.1:" + std::to_wstring(port));
        ASSERT_TRUE(m_pane->Attach(CWnd::FromHandle(m_main)));
        ASSERT_TRUE(m_pane->StartConnectionTests());
        ASSERT_TRUE(PumpUntil([&] { return m_pane->m_nMapState != -1; }));
        EXPECT_EQ(m_pane->m_nMapState, answering ? 1 : 0);
        const std::string expected =
            answering ? "http://127.0.0.1:" + std::to_string(port) + "/vehmap/dep/gis_.html"
                      : OfflinePageUri();
        EXPECT_EQ(MainEngine().Navigations(), std::vector<std::string>{expected});
        if (answering)
            close(server);
    }
}

}  // namespace
