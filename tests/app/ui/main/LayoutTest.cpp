// The main window's layout at several client sizes, with the map pane and
// the info pane on and off.
#include "MainWindowFixture.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/telemetry/TelemetryFlags.h"
#include "platform/user/WindowPixels.h"

#include <algorithm>

namespace maintest {
namespace {

struct Box {
    int x, y, w, h;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.x << ", " << b.y << ", " << b.w << ", " << b.h << ")";
}

// The window's rectangle in its parent's client coordinates.
Box Placed(const CWnd& wnd) {
    CRect r;
    wnd.GetWindowRect(&r);
    ::ScreenToClient(::GetParent(wnd.GetSafeHwnd()), reinterpret_cast<POINT*>(&r.left));
    ::ScreenToClient(::GetParent(wnd.GetSafeHwnd()), reinterpret_cast<POINT*>(&r.right));
    return {r.left, r.top, r.Width(), r.Height()};
}

struct Expected {
    int width, height;
    bool mapPane, infoPane;
    Box video, videoArea, mapButton, gps, browser, infoButton, slider, status, time, carId,
        temperature, speed, voltage, playBar;
};

const Expected kLayouts[] = {
    {1200,
     800,
     true,
     true,
     {3, 0, 800, 617},
     {3, 73, 800, 617},
     {768, 0, 50, 300},
     {814, 0, 386, 30},
     {814, 30, 386, 435},
     {1020, 393, 400, 90},
     {3, 647, 797, 10},
     {3, 617, 140, 18},
     {657, 617, 140, 18},
     {557, 617, 80, 18},
     {477, 617, 60, 18},
     {377, 617, 80, 18},
     {317, 617, 40, 18},
     {3, 730, 800, 60}},
    {1200,
     800,
     true,
     false,
     {3, 0, 800, 617},
     {3, 73, 800, 617},
     {768, 0, 50, 300},
     {814, 0, 386, 30},
     {814, 30, 386, 670},
     {1020, 630, 400, 90},
     {3, 647, 797, 10},
     {3, 617, 140, 18},
     {657, 617, 140, 18},
     {557, 617, 80, 18},
     {477, 617, 60, 18},
     {377, 617, 80, 18},
     {317, 617, 40, 18},
     {3, 730, 800, 60}},
    {1200,
     800,
     false,
     true,
     {3, 0, 1180, 617},
     {3, 73, 1180, 617},
     {1150, 0, 50, 300},
     {0, 0, 0, 0},
     {0, 30, 0, 0},
     {10, 0, 0, 0},
     {3, 647, 1167, 10},
     {3, 617, 140, 18},
     {1027, 617, 140, 18},
     {927, 617, 80, 18},
     {847, 617, 60, 18},
     {747, 617, 80, 18},
     {687, 617, 40, 18},
     {3, 730, 800, 60}},
    {905,
     600,
     true,
     true,
     {3, 0, 600, 417},
     {3, 73, 600, 417},
     {568, 0, 50, 300},
     {614, 0, 286, 30},
     {614, 30, 286, 320},
     {725, 278, 400, 90},
     {3, 447, 597, 10},
     {3, 417, 140, 18},
     {457, 417, 140, 18},
     {357, 417, 80, 18},
     {277, 417, 60, 18},
     {177, 417, 80, 18},
     {117, 417, 40, 18},
     {3, 530, 600, 60}},
};

class Layout : public MainWindowFixture {};

TEST_F(Layout, PanesFollowTheClientSize) {
    Open(1200, 800);
    for (const Expected& e : kLayouts) {
        SCOPED_TRACE(testing::Message() << e.width << " x " << e.height << " map " << e.mapPane
                                        << " info " << e.infoPane);
        if (bool(dlg.m_bInfoPane) != e.infoPane)
            Command(IDC_MAIN_INFO_PANE);
        if (bool(dlg.m_bMapPane) != e.mapPane)
            Command(IDC_MAIN_MAP_PANE);
        CRect window, client;
        dlg.GetWindowRect(&window);
        dlg.GetClientRect(&client);
        dlg.MoveWindow(0, 0, e.width + window.Width() - client.Width(),
                       e.height + window.Height() - client.Height());
        Pump();
        EXPECT_EQ(Placed(dlg.m_stTopBar), (Box{0, 0, e.width, 83}));
        EXPECT_EQ(Placed(dlg.m_stBackdrop), (Box{0, 73, e.width + 5, e.height - 73}));
        EXPECT_EQ(Placed(dlg.m_stVideo), e.video);
        const RECT& area = dlg.m_rcVideo;
        EXPECT_EQ((Box{area.left, area.top, area.right - area.left, area.bottom - area.top}),
                  e.videoArea);
        EXPECT_EQ(Placed(dlg.m_btnMapPane), e.mapButton);
        EXPECT_EQ(Placed(dlg.m_stGps), e.gps);
        EXPECT_EQ(Placed(*dlg.m_stBackdrop.GetDlgItem(IDC_MAIN_MAP_BROWSER)), e.browser);
        EXPECT_EQ(Placed(dlg.m_btnInfoPane), e.infoButton);
        EXPECT_EQ(Placed(dlg.m_sliderSeek), e.slider);
        EXPECT_EQ(Placed(dlg.m_stStatus), e.status);
        EXPECT_EQ(Placed(dlg.m_stTime), e.time);
        EXPECT_EQ(Placed(dlg.m_stCarId), e.carId);
        EXPECT_EQ(Placed(dlg.m_stTemperature), e.temperature);
        EXPECT_EQ(Placed(dlg.m_stSpeed), e.speed);
        EXPECT_EQ(Placed(dlg.m_stVoltage), e.voltage);
        EXPECT_EQ(Placed(dlg.m_playBar), e.playBar);
        EXPECT_TRUE(dlg.m_playBar.IsWindowVisible());
    }
}

TEST_F(Layout, TheTopBarHoldsTheLabelsAndToolButtons) {
    Open(1000, 700);
    const int labelX[] = {2, 123, 244, 365, 486};
    for (int i = 0; i < CHalbrookDlg::kMenuLabels; ++i)
        EXPECT_EQ(Placed(dlg.m_menuLabels[i]), (Box{labelX[i], 0, 120, 23}));
    const int toolX[] = {0, 65, 130, 198, 260};
    for (int i = 0; i < CHalbrookDlg::kToolButtons; ++i)
        EXPECT_EQ(Placed(dlg.m_btnTools[i]), (Box{toolX[i], 17, 60, 50}));
    EXPECT_EQ(std::wstring(dlg.m_stStatus.GetText().GetString()), L"Ready");
}

// Nothing lies over the video's top rows: the top bar, which reaches down
// over the backdrop, is beneath it, so the player's picture shows whole there.
TEST_F(Layout, TheVideosTopRowsAreUncovered) {
    Open(1200, 800);
    CRect video, button;
    dlg.m_stVideo.GetWindowRect(&video);
    dlg.m_btnMapPane.GetWindowRect(&button);
    WindowPixels pixels(dlg.m_stVideo.GetSafeHwnd());
    ASSERT_TRUE(pixels.Valid());
    const RECT& area = pixels.Area();
    // The top 20 rows, left of the map pane's button, which lies over the edge.
    const RECT top{area.left, area.top, area.left + (button.left - video.left), area.top + 20};
    long covered = 0;
    for (LONG y = top.top; y < top.bottom; ++y) {
        for (LONG x = top.left; x < top.right; ++x) {
            const POINT p{x, y};
            const auto& pieces = pixels.Visible();
            covered += std::none_of(pieces.begin(), pieces.end(),
                                    [p](const RECT& r) { return PtInRect(&r, p) != FALSE; });
        }
    }
    EXPECT_EQ(covered, 0);
}

TEST_F(Layout, ALayoutShowsThePlayersVolume) {
    Open(1200, 800);
    fake->voiceVolume = 35;
    dlg.MoveWindow(0, 0, 1000, 700);
    Pump();
    EXPECT_EQ(dlg.m_playBar.m_sliderVolume.GetPos(), 35);
}

TEST_F(Layout, TheMapButtonsToggleThePane) {
    Open(1200, 800);
    Command(IDC_MAIN_MAP_PANE);
    EXPECT_EQ(Placed(dlg.m_stVideo).w, 1180);
    Command(IDC_MAIN_MAP_ON_OFF);
    EXPECT_EQ(Placed(dlg.m_stVideo).w, 800);
}

// A new layout places the text lines and keeps what they show: the status
// line still says what the player does, the values stay.
TEST_F(Layout, TheTextLinesKeepTheStateThroughEveryLayout) {
    // What an earlier window left for its telemetry thread: this window's
    // thread would otherwise clear the lines set below.
    g_bPlaybackStopped = false;
    g_bPositionJumped = false;
    Open(1200, 800);
    EXPECT_EQ(Status(), L"Ready") << "before anything is opened";
    StartPlaying();
    ASSERT_EQ(Status(), L"Playing");
    dlg.SetSpeedText(42);
    dlg.SetCarIdText(L"CAR-7");
    Pump();
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"info pane toggled", [&] { Command(IDC_MAIN_INFO_PANE); }},
        {"map pane toggled", [&] { Command(IDC_MAIN_MAP_PANE); }},
        {"maximised", [&] { dlg.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0); }},
        {"restored", [&] { dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0); }},
        {"moved", [&] { dlg.MoveWindow(40, 30, 1100, 760); }},
    };
    for (const auto& c : changes) {
        c.change();
        Pump();
        EXPECT_EQ(Status(), L"Playing") << c.what;
        EXPECT_EQ(std::wstring(dlg.m_stSpeed.GetText().GetString()), L"42 km/h") << c.what;
        EXPECT_EQ(std::wstring(dlg.m_stCarId.GetText().GetString()), L"CAR-7") << c.what;
    }
}

// The status line speaks the language of the moment; a fixed text stays.
TEST_F(Layout, TheStatusLineFollowsTheLanguage) {
    Open(1200, 800);
    StartPlaying();
    IDS_STATE_PLAYING.Set(L"\u64ad\u653e");
    dlg.ApplyLanguageTexts();
    EXPECT_EQ(Status(), L"\u64ad\u653e");
    SetDefaultLanguageTexts();
    dlg.ApplyLanguageTexts();
    EXPECT_EQ(Status(), L"Playing") << "back in English";
    dlg.SetStatusText(L"close fail..");
    IDS_STATE_PLAYING.Set(L"\u64ad\u653e");
    dlg.ApplyLanguageTexts();
    SetDefaultLanguageTexts();
    EXPECT_EQ(Status(), L"close fail..");
}

}  // namespace
}  // namespace maintest
