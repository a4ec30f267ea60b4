// CHalbrookDlg: the program's one main window, a skinned modal dialog that
// sizes and moves itself through its own hit-testing. It hosts the video pane
// the player library draws into, the play bar and the text lines, drives the
// player through its commands and receives the player's callbacks (through
// g_pMainDlg) and every private window message.
//
// It is the telemetry thread's view (TelemetryView) and the map pane's host
// (IMapPaneHost), and owns the telemetry panel, the chart history and the
// map pane.
//
// Threads: the handlers run on the UI thread. The player callbacks, the
// position thread and the telemetry thread call the members marked "any
// thread" and the TelemetryView members; those keep what they change in
// atomics or hand it to the UI thread (ViewUpdates.h).
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "app/controls/skin/SkinButton.h"
#include "app/controls/skin/SkinMenuText.h"
#include "app/controls/skin/SkinStatic.h"
#include "app/controls/skin/SlideButton.h"
#include "app/controls/tooltip/QoToolTip.h"
#include "app/shell/LanguageText.h"
#include "app/ui/export/DateTimePicker.h"
#include "app/ui/find/FindLocateDlg.h"
#include "app/ui/main/MainWindowBoxes.h"
#include "app/ui/main/ViewUpdates.h"
#include "app/ui/map/MapPaneController.h"
#include "app/ui/map/MapPaneHost.h"
#include "app/ui/playbar/PlayBarDlg.h"
#include "app/ui/settings/DialogRebuildIndex.h"
#include "app/ui/settings/RebuildIndexHost.h"
#include "app/ui/telemetry/ChartHistory.h"
#include "app/ui/telemetry/LogInfoDlg.h"
#include "app/ui/telemetry/TelemetryView.h"

// Runs the rebuild steps that waited for a close, on the UI thread.
inline constexpr UINT kRebuildStepsMessage = WM_APP + 20;
// Posted by whatever opened or closed a source, on any thread: the tool
// dialogs follow the source on the UI thread.
inline constexpr UINT kSourceChangedMessage = WM_APP + 21;

class CHalbrookDlg : public CDialog,
                     public TelemetryView,
                     public IMapPaneHost,
                     public RebuildIndexHost {
public:
    static constexpr int kToolButtons = 5;
    static constexpr int kMenuLabels = 5;
    static constexpr UINT_PTR kOsdTimer = 100;

    CHalbrookDlg();
    ~CHalbrookDlg() override;

    // The libraries to bind (a test binds its own under another name).
    void SetLibraryFiles(std::wstring trevane, std::wstring oskulo);
    // Ends the telemetry thread within its bound, serving what it sends
    // meanwhile. The close does it; so does a test that watches the seek and
    // stop flags the thread would otherwise consume.
    void StopTelemetry();
    // Runs while the window closes, before the player is released: stops a
    // running export and waits for its end (the export dialog's bounded
    // StopAndWait unless replaced).
    void SetExportStopper(std::function<void()> stopper) { m_stopExport = std::move(stopper); }

    // Frame and layout.
    void LayoutControls();
    void UpdateTitle(bool withPath, const CString& path = CString());  // any thread
    void ToggleMapPane();
    void ToggleInfoPane();

    // Text lines, any thread.
    // A text of no language; stays as it is when the language changes.
    void SetStatusText(CString text);
    void SetStatusText(const wchar_t* text) override { SetStatusText(CString(text)); }
    // A language text: shown in the language of the moment, now and after
    // every language change.
    void SetStatusText(const LanguageText& text);
    void SetGpsText(const CString& text) override;
    void SetCarIdText(const CString& text) override;
    void SetTimeText(const CString& text) override;
    void SetSpeedText(int speed) override;              // "%d %s" with the speed unit
    void SetTemperatureText(int temperature) override;  // also the panel's value
    void ClearMeasureTexts() override;
    void SetVoltageText(float voltage) override;  // "%2.1fV"
    void ClearTelemetryLines();                   // vehicle id, time and GPS
    // Hides (true) or shows the six telemetry lines.
    void ShowInfoPanels(bool hide) override;
    // Units (UI thread); the getters from any thread.
    void SetSpeedUnit(int unit);
    void SetTemperatureUnit(int unit);
    int GetSpeedUnit() const override { return m_nSpeedUnit.load(); }
    int GetTemperatureUnit() const override { return m_nTemperatureUnit.load(); }

    // The rest of the telemetry view, any thread: the panel, the chart and
    // the map (HalbrookDlgTelemetry.cpp).
    void SetFloatingMapGpsText(const CString& text) override;
    void SetPanelSpeed(int speed) override;
    void SetGSensorValues(float x, float y, float z) override;
    void SetPanelTemperatureUnitText(const CString& text) override;
    void SetAlarmStates(const uint8_t (&states)[kAlarmLamps]) override;
    void RefreshAlarmIndicators() override;
    void ClearChart() override;
    void AddChartSample(const ChartSample& sample) override;
    void SendMapTrack(MapTrackRequest request) override;

    // The map pane's host (UI thread).
    bool IsPlayStatePlaying() const override { return GetPlayState() == PLAY_PLAYING; }
    void ArmPendingSeek(uint64_t position) override;
    int AudioChannel() const override;
    CString GetSpeedUnitText() const;
    CString GetTemperatureUnitText() const;
    FindUnits CurrentFindUnits() const;

    // Play state (any thread); the play bar's copy follows.
    int GetPlayState() const { return m_nPlayState.load(); }
    void SetPlayState(int state);
    void SetPlayImage(bool pauseImage);  // any thread
    void ShowSeekPosition(int percent);  // any thread
    void SetPlaying(bool playing);       // any thread
    bool IsPlaying() const { return m_bPlaying.load(); }

    // Runs `open` once no source is open: at once when idle, else after the
    // stop and close results of a user stop sent now. A later request replaces
    // an earlier one that has not run.
    void OpenWhenClosed(std::function<void()> open);
    // Called at the close result: runs the waiting open, if any.
    void RunPendingOpen();
    // The waiting open will not run (any thread).
    void DropPendingOpen();
    // How long an open waits for the stop and close results before a
    // later request sends its own stop (injectable clock).
    static constexpr DWORD kPendingOpenBoundMs = 3000;

    // The index rebuild's hold on the player (HalbrookDlgDialogs.cpp).
    void StopThenOpen(std::function<void()> next) override;
    void SetRebuildSourceOpen(bool open) override;

    // Playback (the handlers of the play bar messages, keys and menus).
    void OnOpenFile();
    void OnSearchHdd();
    void OnSearchSd();
    void OnMenuClose();
    // Checks the pair (extension, index of the same name, path lengths the
    // library takes) and says what is wrong, leaving what plays; a good pair
    // is opened once no source is open.
    void OpenRecording(const CString& path);
    LRESULT OnPlayBarPlay(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarStop(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarStepForward(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarStepBackward(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarFastForward(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarFastBackward(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarSnapshot(WPARAM = 0, LPARAM = 0);
    LRESULT OnPlayBarSplit(WPARAM = 0, LPARAM = 0);
    LRESULT OnSeekToPosition(WPARAM wParam, LPARAM lParam);

    // The tool dialogs.
    void OnOtherSetting();
    void OnAbout();
    void OnFindAndPlay();
    void OnRebuildHddIndex();
    LRESULT OnRebuildProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnPlayBarExport(WPARAM = 0, LPARAM = 0);
    // A source was opened or closed (kSourceChangedMessage): the find
    // dialog's rows go, a visible find dialog and a visible idle export
    // dialog are prepared for the source open now.
    LRESULT OnSourceChanged(WPARAM = 0, LPARAM = 0);
    // Posts kSourceChangedMessage (any thread).
    void PostSourceChanged();
    // A message box owned by this window (any thread; MainWindowBoxes.h).
    void ShowBox(const wchar_t* text);
    LRESULT OnShowWaitingBox(WPARAM = 0, LPARAM = 0);

    // Menus and texts.
    void ApplyLanguageTexts();
    // The status line's language text again, in the language of the moment.
    void ApplyStatusLanguage();
    void BuildEventTypeNames();
    CString FormatSliderTime(int percent) const;

    BOOL PreTranslateMessage(MSG* msg) override;

    bool CheckRecordingPair(const CString& path, CString* index);
    // An open or rebuild step waits for a stop sent within the bound
    // (m_pendingOpenLock held).
    bool StopChainUnderWay() const;
    void OpenCheckedPair(const CString& path, const CString& index);

    // Members, in declaration order.
    HICON m_hIcon = nullptr;  // nothing loads it
    BYTE m_bMapWindow = 1;    // 1 single screen (map pane inside), 0 double screen
    CString m_strCurrentPath;
    std::atomic<int> m_nPlayState{PLAY_IDLE};
    // The language text the status line shows; null for a fixed text.
    std::atomic<const LanguageText*> m_pStatusText{nullptr};
    std::atomic<bool> m_bPlaying{false};
    std::atomic<int> m_nSliderPointer{0};
    BYTE m_bMapPane = 1;
    BYTE m_bInfoPane = 1;
    UINT m_nCheckedLayout = 3020;
    UINT m_nCheckedSpeedUnit = 3040;
    UINT m_nCheckedTemperatureUnit = 3042;
    RECT m_rcVideo{0, 0, 0, 0};  // client coordinates
    int m_nVolume = 0;
    CSkinStatic m_stUnused;
    CSkinMenuText m_menuLabels[kMenuLabels];  // 10025-10029
    CMenu m_menu;
    CSkinStatic m_stTopBar;
    CSkinButton m_btnTools[kToolButtons];  // 10002-10006
    CSkinStatic m_stBackdrop;
    CStatic m_stVideo;
    CSkinButton m_btnMapPane;
    CSkinButton m_btnInfoPane;
    CSkinStatic m_stGps;
    CSkinStatic m_stCarId;
    CSkinStatic m_stStatus;
    CSkinStatic m_stTime;
    CSkinStatic m_stSpeed;
    CSkinStatic m_stTemperature;
    CSkinStatic m_stVoltage;
    CSlideButton m_sliderSeek;
    CToolTipCtrl m_sliderTip;
    CQoToolTip m_toolTip;
    CRect m_rcSliderTip;
    CPlayBarDlg m_playBar;
    std::atomic<int> m_nSpeedUnit{0};
    CString m_strSpeedUnit;  // guarded by m_unitLock
    std::atomic<int> m_nTemperatureUnit{0};
    CString m_strTemperatureUnit;  // guarded by m_unitLock
    BYTE m_bOsdOn = 0;
    CLogInfoDlg m_logInfo{this};
    // The telemetry thread's; its output goes to the panel on the UI thread.
    CChartHistory m_chart{[this](const ChartSample* s, int last) { ShowChart(s, last); }};
    CMapPaneController m_mapPane{*this};
    std::unique_ptr<CFindLocateDlg> m_pFindLocateDlg;  // made at the first find
    CDateTimePicker m_dlgExport;                       // created at the first export
    CDialogRebuildIndex m_dlgRebuildIndex{*this, this};

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // Frame.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    HCURSOR OnQueryDragIcon() { return HCURSOR(m_hIcon); }
    void OnNcLButtonDblClk(UINT hit, CPoint point);
    void OnNcLButtonDown(UINT hit, CPoint point);
    void OnNcMouseMove(UINT hit, CPoint point);
    // The on-screen text is on while the pointer is over the playing video.
    // The pointer need not move for that: a play state or a layout that
    // changes under a resting pointer is checked against where it rests.
    void FollowPointer(CPoint screen);
    void FollowRestingPointer();
    LRESULT OnNcHitTest(CPoint point);
    void OnTimer(UINT_PTR id);
    void OnMapButton() { ToggleMapPane(); }
    void OnClose();

    // Menus.
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL isSystemMenu);
    void OnMenuBarFile();
    void OnMenuBarWindow();
    void OnMenuBarControl();
    void OnMenuBarSetting();
    void OnMenuBarHelp();
    void OnMenuOpenFile();
    void OnMenuSearchHdd();
    void OnMenuSearchSd();
    void OnSingleScreen();
    void OnDoubleScreen();
    void OnSpeedUnitKm() { ChooseSpeedUnit(0); }
    void OnSpeedUnitMile() { ChooseSpeedUnit(1); }
    void OnTemperatureUnitC() { ChooseTemperatureUnit(0); }
    void OnTemperatureUnitF() { ChooseTemperatureUnit(1); }
    void OnUpdateScreenLayout(CCmdUI* ui);
    void OnUpdateSpeedUnit(CCmdUI* ui);
    void OnUpdateTemperatureUnit(CCmdUI* ui);
    void OnTooltipNotify(NMHDR* header, LRESULT* result);

    // Private messages.
    LRESULT OnSliderBeginDrag(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSliderReleased(WPARAM wParam, LPARAM lParam);
    LRESULT OnVolumeChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSnapshotResult(WPARAM wParam, LPARAM lParam);
    LRESULT OnApplyViewUpdates(WPARAM wParam, LPARAM lParam);
    LRESULT OnMapTrack(WPARAM wParam, LPARAM lParam);
    void OnMapBeforeNavigate2(NMHDR* header, LRESULT* result);
    void OnMapDocumentComplete(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // Start-up.
    void AddToolTips();
    void ApplyToolTipTexts();
    void LoadMenuTexts();
    void InitSkin();
    void InitSeekSlider();
    bool StartPlayer();
    void StartWorkers();
    void ApplyStartUnits();

    // Layout.
    void HideWhileMoving();
    void PlaceTopBar(int width);
    void PlaceMapPane(int width, int height);
    void PlaceVideoAlone(int width, int height);
    void PlaceTextRow(int height, int sliderLength);
    void PlaceTelemetryPanel(int width, int height);
    void RegisterSliderTool();
    void ShowPlayerVolume();

    // Frame.
    void DoubleClickVideo(CPoint screen);
    void RedrawNow();

    // Playback.
    void SendSeek(unsigned long long position);
    void KeyForChannel(int channel);
    bool HandleKey(UINT key);
    void StopWorkers();
    // The close's part of the tool dialogs: the export stopped, the find
    // window gone.
    void StopExportAtClose();
    void DestroyToolDialogs();
    LRESULT OnRunRebuildSteps(WPARAM wParam, LPARAM lParam);
    // The stop of an open that waits: its stop result makes the close follow.
    void SendUserStop();
    // At the close result (any thread): the waiting rebuild steps go to the
    // UI thread.
    void PostRebuildSteps();

    // Menus.
    void TrackMenuBarPopup(int label);
    void RelabelMenu();
    void ChooseSpeedUnit(int unit);
    void ChooseTemperatureUnit(int unit);

    // Text lines handed to the UI thread.
    void SetLine(ViewLine line, CString text);
    CSkinStatic& LineControl(ViewLine line);
    void ApplyLine(ViewLine line, const CString& text);
    // Runs `apply` now on the UI thread, else hands it over.
    void RunOnUiThread(ViewTask task, std::function<void()> apply);
    void ShowChart(const ChartSample* samples, int lastIndex);
    void StartTelemetry();

    std::wstring m_trevaneFile = L"Trevane.dll";
    std::wstring m_oskuloFile = L"Oskulo.dll";
    std::function<void()> m_stopExport;
    mutable std::mutex m_unitLock;
    std::mutex m_pendingOpenLock;  // guards m_pendingOpen
    std::function<void()> m_pendingOpen;
    uint64_t m_pendingOpenDeadlineMs = 0;  // guarded by m_pendingOpenLock
    HANDLE m_hNotPlaying = nullptr;        // set while the playing flag is clear
    // What StopThenOpen runs once the source is closed, in request order;
    // not empty while a stop and close are under way for it. Guarded by
    // m_pendingOpenLock.
    std::deque<std::function<void()>> m_rebuildSteps;
    CViewUpdates m_viewUpdates;
    CMainWindowBoxes m_boxes;
    HANDLE m_hTelemetryThread = nullptr;
};

// The one main window; set by its constructor, read by the player callbacks
// and the workers.
extern CHalbrookDlg* g_pMainDlg;
