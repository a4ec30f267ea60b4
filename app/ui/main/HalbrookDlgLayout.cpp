// The main window's proportional layout: the top bar, the video with the map
// pane beside it (or alone), the text row and seek slider under the video,
// and the play bar at the bottom. Sizes are integer fractions of the client
// size; W/6 is the quotient, multiplied afterwards.
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"

namespace {

constexpr int kTopBarHeight = 83;
constexpr int kBackdropTop = 73;
constexpr int kVideoLeft = 3;
constexpr int kBelowVideo = 110;
constexpr int kLabelX[] = {2, 123, 244, 365, 486};
constexpr int kToolX[] = {0, 65, 130, 198, 260};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The upper part the map browser and the info button leave to the panel.
int MapBottom(int height) {
    return int(height / 6 * 3.5);
}

}  // namespace

void CHalbrookDlg::HideWhileMoving() {
    m_stBackdrop.ShowWindow(SW_HIDE);
    m_logInfo.ShowWindow(SW_HIDE);
    m_playBar.ShowWindow(SW_HIDE);
    m_stTopBar.ShowWindow(SW_HIDE);
}

void CHalbrookDlg::PlaceTopBar(int width) {
    m_stTopBar.MoveWindow(0, 0, width, kTopBarHeight);
    for (int i = 0; i < kMenuLabels; ++i)
        m_menuLabels[i].MoveWindow(kLabelX[i], 0, 120, 23);
    for (int i = 0; i < kToolButtons; ++i)
        m_btnTools[i].MoveWindow(kToolX[i], 17, 60, 50);
}

void CHalbrookDlg::PlaceMapPane(int w, int h) {
    const int videoWidth = w / 6 * 4;
    const int videoHeight = (h - kBackdropTop) - kBelowVideo;
    m_stVideo.MoveWindow(kVideoLeft, 0, videoWidth, videoHeight);
    m_rcVideo = {kVideoLeft, kBackdropTop, kVideoLeft + videoWidth, kBackdropTop + videoHeight};
    m_btnMapPane.MoveWindow(videoWidth - 32, 0, 50, 300);
    m_btnMapPane.ReplaceBitmap(IDB_MAP_PANE_HIDE);
    const int sideX = videoWidth + 14;
    const int sideWidth = w / 6 * 2 - 14;
    m_stGps.MoveWindow(sideX, 0, sideWidth, 30);
    m_stGps.SetText(L" ", 0, kWhite, kBlack);
    CWnd* browser = m_stBackdrop.GetDlgItem(IDC_MAIN_MAP_BROWSER);
    if (g_nMapOff == 0 && browser != nullptr) {
        const int mapHeight = m_bInfoPane ? MapBottom(h) - 30 : h - 130;
        browser->MoveWindow(sideX, 30, sideWidth, mapHeight);
    }
    if (m_bInfoPane) {
        m_btnInfoPane.MoveWindow(w - 180, MapBottom(h) - 72, 400, 90);
        m_btnInfoPane.ReplaceBitmap(IDB_INFO_PANE_HIDE);
    } else {
        m_btnInfoPane.MoveWindow(w - 180, h - 170, 400, 90);
        m_btnInfoPane.ReplaceBitmap(IDB_INFO_PANE_SHOW);
    }
}

void CHalbrookDlg::PlaceVideoAlone(int w, int h) {
    const int videoHeight = (h - kBackdropTop) - kBelowVideo;
    m_stVideo.MoveWindow(kVideoLeft, 0, w - 20, videoHeight);
    m_rcVideo = {kVideoLeft, kBackdropTop, kVideoLeft + w - 20, kBackdropTop + videoHeight};
    m_stGps.MoveWindow(0, 0, 0, 0);
    CWnd* browser = m_stBackdrop.GetDlgItem(IDC_MAIN_MAP_BROWSER);
    if (g_nMapOff == 0 && browser != nullptr)
        browser->MoveWindow(0, 30, 0, 0);
    m_btnMapPane.MoveWindow(w - 50, 0, 50, 300);
    m_btnMapPane.ReplaceBitmap(IDB_MAP_PANE_SHOW);
    m_btnInfoPane.MoveWindow(10, 0, 0, 0);
}

void CHalbrookDlg::PlaceTextRow(int h, int sliderLength) {
    const int y = (h - kBackdropTop) - kBelowVideo;
    const int right = sliderLength;
    // Placing a line keeps what it shows: the state it follows has not changed.
    m_stStatus.MoveWindow(3, y, 140, 18);
    m_stStatus.SetText(m_stStatus.GetText(), 0, kWhite, kBlack);
    struct Place {
        CSkinStatic& line;
        int x;
        int width;
    };
    const Place values[] = {{m_stTime, right - 140, 140},
                            {m_stCarId, right - 240, 80},
                            {m_stTemperature, right - 320, 60},
                            {m_stSpeed, right - 420, 80},
                            {m_stVoltage, right - 480, 40}};
    for (const Place& place : values) {
        place.line.MoveWindow(place.x, y, place.width, 18);
        place.line.SetText(place.line.GetText(), 0, kWhite, kBlack);
    }
}

void CHalbrookDlg::LayoutControls() {
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    HideWhileMoving();
    PlaceTopBar(w);
    m_stBackdrop.MoveWindow(0, kBackdropTop, w + 5, h - kBackdropTop);
    if (m_bMapPane)
        PlaceMapPane(w, h);
    else
        PlaceVideoAlone(w, h);
    const int sliderLength = m_bMapPane ? w / 6 * 4 - 3 : w - 33;
    m_sliderSeek.MoveWindow(3, (h - kBackdropTop) - 80, sliderLength, 10);
    m_sliderSeek.Invalidate();
    PlaceTextRow(h, sliderLength);
    // Over the backdrop, which reaches down to the bottom.
    ::SetWindowPos(m_playBar.GetSafeHwnd(), HWND_TOP, 3, h - 70, w / 6 * 4, 60,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ShowPlayerVolume();
    PlaceTelemetryPanel(w, h);
    RegisterSliderTool();
    m_stBackdrop.ShowWindow(SW_SHOW);
    m_stTopBar.ShowWindow(SW_SHOW);
    FollowRestingPointer();
}

// Under the map, when both panes are shown.
void CHalbrookDlg::PlaceTelemetryPanel(int w, int h) {
    if (!m_bMapPane || !m_bInfoPane)
        return;
    const int y = MapBottom(h) + 5 + kTopBarHeight;
    // Over the backdrop, as the play bar.
    ::SetWindowPos(m_logInfo.GetSafeHwnd(), HWND_TOP, w / 6 * 4 + 5, y, w / 6 * 2 - 5, h - y,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

// Only once the player runs: the first layout comes before it is bound.
void CHalbrookDlg::ShowPlayerVolume() {
    int volume = 0;
    if (g_bPositionThreadRun && Call_zTellVoiceVolume(&volume))
        m_playBar.SetVolumePos(volume);
}

void CHalbrookDlg::ToggleMapPane() {
    m_stBackdrop.Invalidate();
    m_bMapPane = !m_bMapPane;
    LayoutControls();
    m_playBar.Invalidate();
}

void CHalbrookDlg::ToggleInfoPane() {
    m_bInfoPane = !m_bInfoPane;
    LayoutControls();
}

void CHalbrookDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    if (m_stUnused.GetSafeHwnd() != nullptr && m_stBackdrop.GetSafeHwnd() != nullptr)
        LayoutControls();
    else
        Invalidate(FALSE);
}

// Minimised, the window shows its icon; nothing loads one, so only the icon's
// background is erased.
void CHalbrookDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, WPARAM(dc.GetSafeHdc()), 0);
}
