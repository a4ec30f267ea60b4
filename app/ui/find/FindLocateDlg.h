// The find-and-play tool window (template IDD_FIND): lists the open
// recording's time index, or a disk's or card's event index, or the results
// of a search of their quick index by speed, G force, temperature, tyre
// values or position, and seeks the main window's playback to a row on a
// double click, or to a picked time.
//
// The main window creates it once (modeless, hidden by Escape and by every
// seek) and calls PrepareForSource before each showing. Lists are filled by
// one list thread at a time (CFindListWorker); a click on another index
// choice while a list is loading is undone. Seeks are sent as
// UM_SEEK_TO_POSITION to the application's main window (AfxGetMainWnd) with
// the data position as decimal text.
//
// Threads: everything here runs on the UI thread; the list threads only make
// rows and never touch the dialog or its controls.
#pragma once

#include "app/controls/skin/SubDialog.h"
#include "app/ui/find/EventStatusText.h"
#include "app/ui/find/FindListWorker.h"
#include "app/ui/find/FindUnits.h"
#include "app/ui/find/QuickSearch.h"

class CFindLocateDlg : public CSubDialog {
public:
    explicit CFindLocateDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    // Before every showing: takes the main window's units, stops a list
    // still loading and starts the list of the current index choice.
    void PrepareForSource(const FindUnits& units);
    // The open source changed (opened or closed): no row of the last one
    // stays to be seeked by; a visible window lists the new source at once.
    void FollowSource(const FindUnits& units);
    // The event and quick choices exist for a disk or card only.
    void EnableIndexChoices();
    void SetStatusText(const CString& text);
    // The status line at rest: empty, or on a source without event and quick
    // index the reason why those choices are not available.
    void ClearStatusText();
    void ApplyLanguageTexts();

    int GetSpeedUnit() const { return m_units.speedUnit; }
    CString GetSpeedUnitText() const { return m_units.speedUnitText; }
    int GetTemperatureUnit() const { return m_units.temperatureUnit; }
    CString GetTemperatureUnitText() const { return m_units.temperatureUnitText; }
    // The radio button id of the index choice shown.
    int GetCurrentChoice() const { return m_nCurrentChoice; }
    bool IsListRunning() const { return m_bListThreadRunning; }

protected:
    // Enter does not close the dialog.
    void OnOK() override {}
    // Escape and every seek: the list stops loading and the window hides.
    void OnCancel() override;
    void OnDestroy();

    void OnListTimeIndex();
    void OnListEventIndex();
    void OnListQuickIndex();
    void OnListDblClk(NMHDR* header, LRESULT* result);
    void OnListItemChanged(NMHDR* header, LRESULT* result);
    void OnSearchSpeed();
    void OnSearchGSensor();
    void OnSearchTemperature();
    void OnSearchTireTemperature();
    void OnSearchPressureAbove();
    void OnSearchPressureBelow();
    void OnSearchPosition();
    void OnSearchTime();
    // A list thread has rows or has ended.
    LRESULT OnListRows(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void OnChoiceClicked(int choice);
    void StartChoiceList(int choice);
    void BeginIndexList(const EventNames& names);
    void ShowQuickList();
    void ResetColumns(const std::vector<CString>& headings, const int* widths);
    void ShowSearchControls();
    void HideSearchControls();
    void SetSearchControlsShown(bool shown);
    void SetUnitLabels();

    // The search of button `buttonId`: read from its edits, remembered, and
    // run at once when the quick list is shown.
    void RunSearch(int buttonId);
    bool ReadSearchInput(int buttonId, QuickSearch* search) const;
    void WriteSearchInput(const QuickSearch& search);
    void StartQuickSearch();

    void StartListRun(CFindListWorker::Job job);
    // Stops a list still loading, then ends its run as a finished one would.
    void StopListRun();
    void EndListRun();

    // The data position a row stands for; false when there is none.
    bool RowPosition(int row, CString* position) const;
    void SeekTo(const CString& position);

    CDateTimeCtrl m_timePicker;
    CListCtrl m_list;
    int m_nCurrentChoice;
    QuickSearch m_search;  // the remembered search
    FindUnits m_units;
    bool m_bListThreadRunning = false;
    bool m_bDeviceIndexes = false;  // the event and quick choices are available
    CFindListWorker m_worker;
};
