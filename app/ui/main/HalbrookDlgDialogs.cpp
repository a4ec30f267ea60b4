// The main window's tool dialogs: settings, about, find and play, export and
// the index rebuild, with the rebuild's hold on the player. The player keeps
// one command at a time, so whatever must follow a stop and close waits for
// their results instead of a fixed delay.
#include <algorithm>

#include "app/res/ResourceIds.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/settings/DialogAbout.h"
#include "app/ui/settings/DialogOtherSetting.h"
#include "app/ui/settings/RebuildHddIndex.h"
#include "platform/base/Clock.h"

namespace {

// Long enough for the export library to finish the files it writes.
constexpr DWORD kExportStopWaitMs = 5000;

// A tool window made for the first time opens centred over the main window
// (kept on the screen's side of its top left corner), not at the corner of
// the screen.
void PlaceOver(CWnd& tool, const CWnd& main) {
    CRect owner, own;
    main.GetWindowRect(&owner);
    tool.GetWindowRect(&own);
    const int x = std::max(0, owner.left + (owner.Width() - own.Width()) / 2);
    const int y = std::max(0, owner.top + (owner.Height() - own.Height()) / 2);
    tool.MoveWindow(x, y, own.Width(), own.Height());
}

}  // namespace

void CHalbrookDlg::OnOtherSetting() {
    CDialogOtherSetting dialog(this, [this] { ApplyLanguageTexts(); });
    dialog.DoModal();
}

void CHalbrookDlg::OnAbout() {
    CDialogAbout dialog(this);
    dialog.DoModal();
}

FindUnits CHalbrookDlg::CurrentFindUnits() const {
    return FindUnits{GetSpeedUnit(), GetSpeedUnitText(), GetTemperatureUnit(),
                     GetTemperatureUnitText()};
}

void CHalbrookDlg::OnFindAndPlay() {
    if (!m_pFindLocateDlg) {
        auto dialog = std::make_unique<CFindLocateDlg>(this);
        if (!dialog->Create(IDD_FIND, this))
            return;
        PlaceOver(*dialog, *this);
        m_pFindLocateDlg = std::move(dialog);
    }
    if (m_pFindLocateDlg->IsWindowVisible())
        return;
    m_pFindLocateDlg->PrepareForSource(CurrentFindUnits());
    m_pFindLocateDlg->ShowWindow(SW_SHOW);
}

LRESULT CHalbrookDlg::OnPlayBarExport(WPARAM, LPARAM) {
    if (GetPlayState() == PLAY_IDLE)
        return 0;
    if (!::IsWindow(m_dlgExport.m_hWnd)) {
        if (!m_dlgExport.Create(IDD_EXPORT, this))
            return 0;
        PlaceOver(m_dlgExport, *this);
    }
    if (!m_dlgExport.IsWindowVisible() && m_dlgExport.PrepareForSource())
        m_dlgExport.ShowWindow(SW_SHOW);
    return 0;
}

void CHalbrookDlg::PostSourceChanged() {
    ::PostMessage(GetSafeHwnd(), kSourceChangedMessage, 0, 0);
}

void CHalbrookDlg::ShowBox(const wchar_t* text) {
    m_boxes.Show(GetSafeHwnd(), text);
}

LRESULT CHalbrookDlg::OnShowWaitingBox(WPARAM, LPARAM) {
    m_boxes.ShowWaiting(GetSafeHwnd());
    return 0;
}

LRESULT CHalbrookDlg::OnSourceChanged(WPARAM, LPARAM) {
    if (m_pFindLocateDlg && ::IsWindow(m_pFindLocateDlg->m_hWnd))
        m_pFindLocateDlg->FollowSource(CurrentFindUnits());
    // A running export keeps its run; an idle one would export the new
    // source with the last one's range.
    const bool exportShown = ::IsWindow(m_dlgExport.m_hWnd) && m_dlgExport.IsWindowVisible();
    if (exportShown && !m_dlgExport.IsExporting() && GetPlayState() != PLAY_IDLE &&
        !m_dlgExport.PrepareForSource())
        m_dlgExport.ShowWindow(SW_HIDE);
    return 0;
}

void CHalbrookDlg::StopExportAtClose() {
    m_dlgExport.StopAndWait(kExportStopWaitMs);
}

void CHalbrookDlg::DestroyToolDialogs() {
    if (m_pFindLocateDlg && ::IsWindow(m_pFindLocateDlg->m_hWnd))
        m_pFindLocateDlg->DestroyWindow();
    m_pFindLocateDlg.reset();
}

void CHalbrookDlg::OnRebuildHddIndex() {
    RunRebuildHddIndex(*this, m_dlgRebuildIndex);
}

LRESULT CHalbrookDlg::OnRebuildProgress(WPARAM, LPARAM lParam) {
    m_dlgRebuildIndex.SetProgress(int(lParam));
    return 0;
}

void CHalbrookDlg::StopThenOpen(std::function<void()> next) {
    if (!next)
        next = [] {};
    bool stopUnderWay = false;
    bool runNow = false;
    {
        std::lock_guard<std::mutex> hold(m_pendingOpenLock);
        stopUnderWay = StopChainUnderWay();
        runNow = !stopUnderWay && GetPlayState() == PLAY_IDLE;
        if (!runNow)
            m_rebuildSteps.push_back(std::move(next));
        if (!runNow && !stopUnderWay)
            m_pendingOpenDeadlineMs = DeadlineAfter(kPendingOpenBoundMs);
    }
    if (runNow) {
        next();
        return;
    }
    // One stop serves every request waiting for the same close.
    if (!stopUnderWay)
        SendUserStop();
}

void CHalbrookDlg::PostRebuildSteps() {
    std::lock_guard<std::mutex> hold(m_pendingOpenLock);
    if (!m_rebuildSteps.empty())
        ::PostMessage(GetSafeHwnd(), kRebuildStepsMessage, 0, 0);
}

LRESULT CHalbrookDlg::OnRunRebuildSteps(WPARAM, LPARAM) {
    std::deque<std::function<void()>> steps;
    {
        std::lock_guard<std::mutex> hold(m_pendingOpenLock);
        steps.swap(m_rebuildSteps);
    }
    for (std::function<void()>& step : steps)
        step();
    return 0;
}

void CHalbrookDlg::SetRebuildSourceOpen(bool open) {
    g_bUserStop = open;
    SetPlayState(open ? PLAY_OPENED : PLAY_IDLE);
}
