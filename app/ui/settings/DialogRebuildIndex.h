// The dialog that rebuilds the time index of a recorder hard disk through the
// player library (source type 5) and shows its progress. The main window keeps
// one as a member, runs it modally for each rebuild (RunRebuildHddIndex) and
// hands it the status of every UM_REBUILD_PROGRESS (SetProgress).
//
// START asks the host to stop and close whatever is open and then opens the
// rebuild. CLOSE, the close box and Escape end the dialog: with
// kRebuildFinished when no rebuild runs, with kRebuildBroken once the user
// confirms breaking a running one. Enter does not end it. The dialog stops
// and closes nothing itself: the stop and close of the rebuild source follow
// in RunRebuildHddIndex, through the host.
//
// UI thread only.
#pragma once

#include "app/controls/skin/SubDialog.h"
#include "app/ui/settings/RebuildIndexHost.h"

// Results of the modal run.
inline constexpr int kRebuildFinished = 1;  // done, failed or never started
inline constexpr int kRebuildBroken = 2;    // the user broke a running rebuild

class CDialogRebuildIndex : public CSubDialog {
public:
    explicit CDialogRebuildIndex(RebuildIndexHost& host, CWnd* parent = nullptr);

    // The window title of the next run.
    void SetTitleText(CString title);
    // A zSourceStatus of the rebuild: 0..10000 progress in hundredths of a
    // percent (more is shown as 10000), or its end: SOURCE_REBUILD_DONE,
    // SOURCE_DISK_NOT_FOUND, SOURCE_REBUILD_BUSY (refused while another
    // runs) or any other negative value, a failure that left the old index.
    // Nothing happens while the dialog is not shown (a late report after
    // its end).
    void SetProgress(int value);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnStart();
    void OnCloseButton();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    // Runs once the host has closed the previous source.
    void OpenRebuildSource();
    // The rebuild is over: the text in the progress line, only CLOSE usable.
    void ShowEnd(const wchar_t* text);
    void ShowProgress();

    RebuildIndexHost& m_host;
    CButton m_btnStart;
    CButton m_btnClose;
    CString m_strTitle = L"HDD Time Index Rebuild";
    CProgressCtrl m_progress;
    bool m_bRunning = false;  // from START until the rebuild ends or is broken
    int m_nLastValue = 0;
};
