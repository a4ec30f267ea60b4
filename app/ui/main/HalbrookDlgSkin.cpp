// The main window's skin: the bitmaps of its panels and buttons, the panels
// that hold the controls, and the seek slider with its tips.
#include "app/res/ResourceIds.h"
#include "app/ui/main/HalbrookDlg.h"

namespace {

constexpr UINT kToolBitmaps[CHalbrookDlg::kToolButtons] = {
    IDB_OPEN_FILE, IDB_SEARCH_HDD, IDB_SEARCH_SD, IDB_MAP_ON_OFF, IDB_SETTINGS};
constexpr COLORREF kTransportKey = RGB(10, 10, 10);

}  // namespace

void CHalbrookDlg::InitSkin() {
    m_stTopBar.m_bmpBack.LoadOnce(IDB_TOP_BAR);
    for (int i = 0; i < kToolButtons; ++i)
        m_btnTools[i].m_bitmap.LoadOnce(kToolBitmaps[i]);
    m_stBackdrop.m_bmpBack.LoadOnce(IDB_BACKDROP);
    m_playBar.m_bmpBack.LoadOnce(IDB_BACKDROP);
    m_btnMapPane.m_bitmap.LoadOnce(IDB_MAP_PANE_SHOW);
    m_btnInfoPane.m_bitmap.LoadOnce(IDB_INFO_PANE_HIDE);
    m_logInfo.m_bmpBack.LoadOnce(IDB_TELEMETRY_PANEL);
    for (CSkinButton& button : m_playBar.m_btnTransport)
        button.SetTransparentColor(kTransportKey);
    // The top bar holds the labels and the tool buttons, the backdrop the
    // video, the map pane, the text lines and the seek slider; the panels
    // pass their children's commands on to this window.
    for (CSkinMenuText& label : m_menuLabels)
        label.SetParent(&m_stTopBar);
    for (CSkinButton& button : m_btnTools)
        button.SetParent(&m_stTopBar);
    CWnd* const backdropChildren[] = {&m_stVideo,       &m_btnMapPane, &m_btnInfoPane, &m_stGps,
                                      &m_stCarId,       &m_stStatus,   &m_stTime,      &m_stSpeed,
                                      &m_stTemperature, &m_stVoltage};
    for (CWnd* child : backdropChildren)
        child->SetParent(&m_stBackdrop);
    if (CWnd* browser = GetDlgItem(IDC_MAIN_MAP_BROWSER))
        browser->SetParent(&m_stBackdrop);
    // The top bar reaches 10 pixels down over the backdrop; the backdrop lies
    // over it there, so the video's top rows show.
    ::SetWindowPos(m_stTopBar.GetSafeHwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The pane buttons lie over the edge of the video and the map.
    for (CSkinButton* button : {&m_btnMapPane, &m_btnInfoPane})
        ::SetWindowPos(button->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InitSeekSlider();
}

void CHalbrookDlg::InitSeekSlider() {
    m_sliderSeek.Init(IDB_SEEK_TRACK, IDB_SEEK_THUMB, L"slider bar");
    m_sliderSeek.SetParent(&m_stBackdrop);
    m_sliderSeek.SetRange(0, 100);
    RegisterSliderTool();
    m_sliderTip.Create(this, TTS_ALWAYSTIP);
    m_sliderTip.Activate(TRUE);
    m_sliderTip.AddTool(&m_sliderSeek, LPSTR_TEXTCALLBACK);
}

void CHalbrookDlg::RegisterSliderTool() {
    m_sliderSeek.GetWindowRect(&m_rcSliderTip);
    ToolTipInfo info;
    info.toolId = IDC_MAIN_SEEK;
    m_sliderSeek.GetClientRect(&info.rect);
    info.overrideMask = TOOLTIP_OVERRIDE_BEHAVIOUR;
    info.behaviour = TOOLTIP_BEHAVIOUR_RESHOW;
    m_toolTip.RemoveTool(&m_sliderSeek);
    m_toolTip.AddToolInfo(&m_sliderSeek, &info);
}
