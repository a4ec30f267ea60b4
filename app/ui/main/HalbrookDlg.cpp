#include "app/ui/main/HalbrookDlg.h"

#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/TextHelpers.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/WindowPresence.h"
#include "platform/base/Event.h"

CHalbrookDlg* g_pMainDlg = nullptr;

namespace {

// How long the teardown waits for callbacks under way (one may sleep out
// its command spacing before it leaves).
constexpr DWORD kCallbackDrainMs = 2000;

// The order DoDataExchange binds the controls in.
constexpr int kMenuLabelIds[CHalbrookDlg::kMenuLabels] = {
    IDC_MAIN_MENU_FILE, IDC_MAIN_MENU_WINDOW, IDC_MAIN_MENU_CONTROL, IDC_MAIN_MENU_SETTING,
    IDC_MAIN_MENU_HELP};
constexpr int kToolButtonIds[CHalbrookDlg::kToolButtons] = {IDC_MAIN_OPEN_FILE, IDC_MAIN_SEARCH_HDD,
                                                            IDC_MAIN_SEARCH_SD, IDC_MAIN_MAP_ON_OFF,
                                                            IDC_MAIN_OTHER_SETTING};

}  // namespace

BEGIN_MESSAGE_MAP(CHalbrookDlg, CDialog)
ON_WM_CLOSE()
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_QUERYDRAGICON()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCMOUSEMOVE()
ON_WM_NCHITTEST()
ON_WM_INITMENUPOPUP()
ON_COMMAND(IDC_MAIN_MENU_FILE, &CHalbrookDlg::OnMenuBarFile)
ON_COMMAND(IDC_MAIN_MENU_WINDOW, &CHalbrookDlg::OnMenuBarWindow)
ON_COMMAND(IDC_MAIN_MENU_CONTROL, &CHalbrookDlg::OnMenuBarControl)
ON_COMMAND(IDC_MAIN_MENU_SETTING, &CHalbrookDlg::OnMenuBarSetting)
ON_COMMAND(IDC_MAIN_MENU_HELP, &CHalbrookDlg::OnMenuBarHelp)
ON_COMMAND(IDM_OPEN_FILE, &CHalbrookDlg::OnMenuOpenFile)
ON_COMMAND(IDM_SEARCH_HDD, &CHalbrookDlg::OnMenuSearchHdd)
ON_COMMAND(IDM_SEARCH_SD, &CHalbrookDlg::OnMenuSearchSd)
ON_COMMAND(IDM_CLOSE, &CHalbrookDlg::OnMenuClose)
ON_COMMAND(IDM_SINGLE_SCREEN, &CHalbrookDlg::OnSingleScreen)
ON_COMMAND(IDM_DOUBLE_SCREEN, &CHalbrookDlg::OnDoubleScreen)
ON_COMMAND(IDM_SPEED_KM, &CHalbrookDlg::OnSpeedUnitKm)
ON_COMMAND(IDM_SPEED_MILE, &CHalbrookDlg::OnSpeedUnitMile)
ON_COMMAND(IDM_TEMPERATURE_C, &CHalbrookDlg::OnTemperatureUnitC)
ON_COMMAND(IDM_TEMPERATURE_F, &CHalbrookDlg::OnTemperatureUnitF)
ON_UPDATE_COMMAND_UI_RANGE(IDM_SINGLE_SCREEN, IDM_DOUBLE_SCREEN,
                           &CHalbrookDlg::OnUpdateScreenLayout)
ON_UPDATE_COMMAND_UI_RANGE(IDM_SPEED_KM, IDM_SPEED_MILE, &CHalbrookDlg::OnUpdateSpeedUnit)
ON_UPDATE_COMMAND_UI_RANGE(IDM_TEMPERATURE_C, IDM_TEMPERATURE_F,
                           &CHalbrookDlg::OnUpdateTemperatureUnit)
ON_BN_CLICKED(IDC_MAIN_OPEN_FILE, &CHalbrookDlg::OnOpenFile)
ON_BN_CLICKED(IDC_MAIN_SEARCH_HDD, &CHalbrookDlg::OnSearchHdd)
ON_BN_CLICKED(IDC_MAIN_SEARCH_SD, &CHalbrookDlg::OnSearchSd)
ON_BN_CLICKED(IDC_MAIN_MAP_ON_OFF, &CHalbrookDlg::OnMapButton)
ON_BN_CLICKED(IDC_MAIN_MAP_PANE, &CHalbrookDlg::ToggleMapPane)
ON_BN_CLICKED(IDC_MAIN_INFO_PANE, &CHalbrookDlg::ToggleInfoPane)
ON_MESSAGE(UM_SLIDER_BEGIN_DRAG, &CHalbrookDlg::OnSliderBeginDrag)
ON_MESSAGE(UM_SLIDER_DRAGGING, &CHalbrookDlg::OnSliderMove)
ON_MESSAGE(UM_SLIDER_RELEASED, &CHalbrookDlg::OnSliderReleased)
ON_MESSAGE(UM_SLIDER_MOUSEMOVE, &CHalbrookDlg::OnSliderMove)
ON_MESSAGE(UM_VOLUME_CHANGED, &CHalbrookDlg::OnVolumeChanged)
ON_MESSAGE(UM_SEEK_TO_POSITION, &CHalbrookDlg::OnSeekToPosition)
ON_MESSAGE(UM_PLAYBAR_SNAPSHOT, &CHalbrookDlg::OnPlayBarSnapshot)
ON_MESSAGE(UM_PLAYBAR_PLAY, &CHalbrookDlg::OnPlayBarPlay)
ON_MESSAGE(UM_PLAYBAR_STOP, &CHalbrookDlg::OnPlayBarStop)
ON_MESSAGE(UM_PLAYBAR_STEP_FORWARD, &CHalbrookDlg::OnPlayBarStepForward)
ON_MESSAGE(UM_PLAYBAR_STEP_BACKWARD, &CHalbrookDlg::OnPlayBarStepBackward)
ON_MESSAGE(UM_PLAYBAR_FAST_FORWARD, &CHalbrookDlg::OnPlayBarFastForward)
ON_MESSAGE(UM_PLAYBAR_FAST_BACKWARD, &CHalbrookDlg::OnPlayBarFastBackward)
ON_MESSAGE(UM_PLAYBAR_SPLIT, &CHalbrookDlg::OnPlayBarSplit)
ON_MESSAGE(UM_SNAPSHOT_RESULT, &CHalbrookDlg::OnSnapshotResult)
ON_MESSAGE(kViewUpdateMessage, &CHalbrookDlg::OnApplyViewUpdates)
ON_MESSAGE(UM_MAP_TRACK, &CHalbrookDlg::OnMapTrack)
ON_NOTIFY(DISPID_BEFORENAVIGATE2, IDC_MAIN_MAP_BROWSER, &CHalbrookDlg::OnMapBeforeNavigate2)
ON_NOTIFY(DISPID_DOCUMENTCOMPLETE, IDC_MAIN_MAP_BROWSER, &CHalbrookDlg::OnMapDocumentComplete)
ON_BN_CLICKED(IDC_MAIN_OTHER_SETTING, &CHalbrookDlg::OnOtherSetting)
ON_COMMAND(IDM_OTHER_SETTING, &CHalbrookDlg::OnOtherSetting)
ON_COMMAND(IDM_ABOUT, &CHalbrookDlg::OnAbout)
ON_COMMAND(IDM_FIND_AND_PLAY, &CHalbrookDlg::OnFindAndPlay)
ON_COMMAND(IDM_REBUILD_INDEX_HDD, &CHalbrookDlg::OnRebuildHddIndex)
ON_MESSAGE(UM_REBUILD_PROGRESS, &CHalbrookDlg::OnRebuildProgress)
ON_MESSAGE(UM_PLAYBAR_EXPORT, &CHalbrookDlg::OnPlayBarExport)
ON_MESSAGE(kRebuildStepsMessage, &CHalbrookDlg::OnRunRebuildSteps)
ON_MESSAGE(kSourceChangedMessage, &CHalbrookDlg::OnSourceChanged)
ON_MESSAGE(kShowBoxMessage, &CHalbrookDlg::OnShowWaitingBox)
ON_NOTIFY_RANGE(UM_TOOLTIP_NOTIFY, 0, 0xFFFF, &CHalbrookDlg::OnTooltipNotify)
ON_WM_TIMER()
END_MESSAGE_MAP()

CHalbrookDlg::CHalbrookDlg() : CDialog(IDD_MAIN) {
    g_pMainDlg = this;
    g_mainWindow.Arrive(this);
    m_stopExport = [this] { StopExportAtClose(); };
    m_hNotPlaying = CreateEvent(true, true);
    char* logDir = StringToUtf8(g_szLogDir);
    g_dailyLog.SetLogDirectory(logDir);
    delete[] logDir;
}

CHalbrookDlg::~CHalbrookDlg() {
    // Callbacks from now on find the window gone; those under way finish
    // first.
    g_mainWindow.Depart(this, kCallbackDrainMs);
    // A window destroyed without closing leaves no thread showing on it.
    StopTelemetry();
    CloseHandle(m_hNotPlaying);
    if (g_pMainDlg == this)
        g_pMainDlg = nullptr;
}

void CHalbrookDlg::SetLibraryFiles(std::wstring trevane, std::wstring oskulo) {
    m_trevaneFile = std::move(trevane);
    m_oskuloFile = std::move(oskulo);
}

void CHalbrookDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MAIN_UNUSED_LABEL, m_stUnused);
    for (int i = 0; i < kMenuLabels; ++i)
        DDX_Control(dx, kMenuLabelIds[i], m_menuLabels[i]);
    DDX_Control(dx, IDC_MAIN_TOP_BAR, m_stTopBar);
    for (int i = 0; i < kToolButtons; ++i)
        DDX_Control(dx, kToolButtonIds[i], m_btnTools[i]);
    DDX_Control(dx, IDC_MAIN_BACKDROP, m_stBackdrop);
    DDX_Control(dx, IDC_MAIN_VIDEO, m_stVideo);
    DDX_Control(dx, IDC_MAIN_MAP_PANE, m_btnMapPane);
    DDX_Control(dx, IDC_MAIN_INFO_PANE, m_btnInfoPane);
    DDX_Control(dx, IDC_MAIN_GPS, m_stGps);
    DDX_Control(dx, IDC_MAIN_CAR_ID, m_stCarId);
    DDX_Control(dx, IDC_MAIN_STATUS, m_stStatus);
    DDX_Control(dx, IDC_MAIN_TIME, m_stTime);
    DDX_Control(dx, IDC_MAIN_SPEED, m_stSpeed);
    DDX_Control(dx, IDC_MAIN_TEMPERATURE, m_stTemperature);
    DDX_Control(dx, IDC_MAIN_VOLTAGE, m_stVoltage);
    DDX_Control(dx, IDC_MAIN_SEEK, m_sliderSeek);
}

BOOL CHalbrookDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    BuildEventTypeNames();
    AddToolTips();
    LoadMenuTexts();
    m_logInfo.Create(IDD_TELEMETRY, this);
    m_playBar.Create(IDD_PLAY_BAR, this);
    SetPlayState(PLAY_IDLE);
    SetStatusText(IDS_STATE_READY);
    g_nAudioChannel = 0;
    SetPlaying(false);
    g_bUserStop = false;
    m_bMapPane = 1;
    m_bInfoPane = 1;
    m_nCheckedLayout = IDM_SINGLE_SCREEN;
    m_bMapWindow = 1;
    // The map pane takes over its browser while it is still this window's child.
    m_mapPane.Attach(this);
    InitSkin();
    LayoutControls();
    if (!StartPlayer()) {
        EndDialog(IDOK);
        return FALSE;
    }
    StartWorkers();
    ApplyStartUnits();
    // Last, so that nothing of the map runs when the start-up fails.
    m_mapPane.StartConnectionTests();
    return TRUE;
}
