#include "app/ui/main/PlayerCallbacks.h"

#include "app/controls/PrivateMessage.h"
#include "app/shell/AppConfig.h"
#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "platform/afx/MessageBox.h"
#include "platform/base/Clock.h"
#include "platform/base/Event.h"

namespace {

CHalbrookDlg& Main() {
    return *g_pMainDlg;
}

void SendAfterSpacing(int command, intptr_t argument = 0) {
    Sleep(kCommandSpacingMs);
    Call_zPlayMSG(command, argument, 0, 0, nullptr);
}

void OnPlayEnd() {
    g_bAutoReplayPending = g_nAutoReplay != 0;
    Main().OnPlayBarStop();
    Main().SetStatusText(IDS_STATE_OPENED);
}

void OnClosed() {
    g_nSplitGroup = 0;
    Main().SetPlayState(PLAY_IDLE);
    Main().SetStatusText(IDS_STATE_READY);
    Main().UpdateTitle(false);
    Main().RunPendingOpen();
}

void OnPlaying() {
    Main().SetPlayImage(true);
    g_bSliderDragging = false;
    g_bUserStop = false;
    g_nFastForwardLevel = 0;
    g_nFastBackwardLevel = 0;
    SetEvent(g_hTelemetryEvent);
    Main().SetPlaying(true);
    Main().SetPlayState(PLAY_PLAYING);
    Main().SetStatusText(IDS_STATE_PLAYING);
    SetEvent(g_hTelemetryEvent);
    if (g_PendingSeek.valid) {
        const uint64_t at = g_PendingSeek.position;
        Call_zPlayMSG(PLAY_CMD_SEEK, 0, unsigned(at), int(at >> 32), nullptr);
    }
}

void OnPaused() {
    Main().SetPlayImage(false);
    ResetEvent(g_hTelemetryEvent);
    Main().SetPlayState(PLAY_PAUSED);
    Main().SetStatusText(IDS_STATE_PAUSE);
}

void OnSteppedForward() {
    Main().SetStatusText(IDS_STATE_STEP_F);
    SetEvent(g_hTelemetryEvent);
    g_nFastForwardLevel = 0;
}

void OnSteppedBackward() {
    Main().SetStatusText(IDS_STATE_STEP_R);
    SetEvent(g_hTelemetryEvent);
}

void OnFast(const wchar_t* format, std::atomic<int>& level, std::atomic<int>& other) {
    other = 0;
    ResetEvent(g_hTelemetryEvent);
    CString text;
    text.Format(format, 1 << level.load());
    Main().SetStatusText(text);
    SetEvent(g_hTelemetryEvent);
    Main().SetPlayState(PLAY_FAST);
    Main().SetPlayImage(false);
}

void OnSeekDone() {
    if (g_PendingSeek.valid.exchange(false))
        g_bPositionJumped = true;
}

// A user's stop closes the source; only without one does auto replay play
// again, so that two follow-up commands never meet in the library's slot.
void FollowStop() {
    if (g_bUserStop.exchange(false)) {
        g_bAutoReplayPending = false;
        SendAfterSpacing(PLAY_CMD_CLOSE);
    } else if (g_bAutoReplayPending.exchange(false)) {
        SendAfterSpacing(PLAY_CMD_PLAY, 0);
    }
}

void OnStopRefused() {
    if (g_bUserStop.exchange(false)) {
        SendAfterSpacing(PLAY_CMD_CLOSE);
        return;
    }
    Main().SetStatusText(IDS_STATE_OPENED);
    Main().ClearTelemetryLines();
}

void OnStopped() {
    // The playing flag first: a UI thread waiting for it goes on before this
    // thread touches a window.
    Main().SetPlaying(false);
    Main().SetPlayImage(false);
    g_bPlaybackStopped = true;
    SetEvent(g_hTelemetryEvent);
    Main().SetPlayState(PLAY_OPENED);
    Main().SetStatusText(IDS_STATE_OPENED);
    Main().ClearTelemetryLines();
    FollowStop();
}

void PostSnapshotResult(bool saved) {
    g_bSnapshotPending = false;
    ::PostMessage(Main().GetSafeHwnd(), UM_SNAPSHOT_RESULT, 0, saved ? 1 : 0);
}

void ReportSource(const LanguageText& failed, const LanguageText& opened,
                  const LanguageText* removedLog, const LanguageText& removed, int status) {
    if (status == SOURCE_OPEN_FAILED) {
        g_dailyLog.WriteLog(failed.Get());
        AfxMessageBox(failed);
    } else if (status == SOURCE_OPENED) {
        Main().SetStatusText(IDS_STATE_OPENED);
        g_dailyLog.WriteLog(opened.Get());
    } else if (status == SOURCE_REMOVED) {
        Main().OnMenuClose();
        if (removedLog != nullptr)
            g_dailyLog.WriteLog(removedLog->Get());
        AfxMessageBox(removed);
    }
}

}  // namespace

void OnPlayerStatus(int code, int) {
    switch (code) {
        case MSG_PLAY_END:
            return OnPlayEnd();
        case MSG_CLOSE_FAILED:
            return Main().SetStatusText(L"close fail..");
        case MSG_CLOSE_DONE:
            return OnClosed();
        case MSG_PLAY_DONE:
            return OnPlaying();
        case MSG_PAUSE_DONE:
            return OnPaused();
        case MSG_STEP_FORWARD_DONE:
            return OnSteppedForward();
        case MSG_STEP_BACKWARD_DONE:
            return OnSteppedBackward();
        case MSG_FAST_FORWARD_DONE:
            return OnFast(L"FF X%d", g_nFastForwardLevel, g_nFastBackwardLevel);
        case MSG_FAST_BACKWARD_DONE:
            return OnFast(L"FB X%d", g_nFastBackwardLevel, g_nFastForwardLevel);
        case MSG_SEEK_DONE:
            return OnSeekDone();
        case MSG_STOP_REFUSED:
            return OnStopRefused();
        case MSG_STOP_DONE:
            return OnStopped();
        case MSG_CAPTURE_FAILED:
            return PostSnapshotResult(false);
        case MSG_CAPTURE_DONE:
            return PostSnapshotResult(true);
        case MSG_CLOSE_REFUSED:
            return Main().SetStatusText(IDS_STRING371);
        default:
            return;
    }
}

void OnSourceResult(int kind, const char*, int status) {
    if (kind == OPENED_REBUILD) {
        ::PostMessage(Main().GetSafeHwnd(), UM_REBUILD_PROGRESS, 0, status);
        return;
    }
    if (kind == OPENED_DISK)
        ReportSource(IDS_STRING231, IDS_STRING376, &IDS_STRING441, IDS_STRING232, status);
    else
        ReportSource(IDS_STRING233, IDS_STRING377, nullptr, IDS_STRING234, status);
}

void OnPlayerReserved(int, int, int, int) {}

void OnPlayerError(int code, DWORD, int) {
    if (code == ERR_INDEX_OPEN_FAILED)
        AfxMessageBox(IDS_STRING256);
    else if (code == ERR_INDEX_UNREADABLE)
        AfxMessageBox(IDS_STRING_INDEX_DAMAGE);
}
